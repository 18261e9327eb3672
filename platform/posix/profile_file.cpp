// The client's own reader and writer of profile (INI) files, with the rules
// of the Windows profile functions that static.ini relies on.
#include <unistd.h>

#include <cstdio>
#include <cwctype>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/os.h"
#include "platform/text.h"

namespace lv::os {
namespace {

// Windows writes profile files in the ANSI code page with CRLF line ends;
// doing the same keeps a static.ini identical on every system.
constexpr char kNewline[] = "\r\n";

std::wstring Trim(std::wstring s) {
  std::size_t b = 0;
  while (b < s.size() && std::iswspace(s[b])) ++b;
  std::size_t e = s.size();
  while (e > b && std::iswspace(s[e - 1])) --e;
  return s.substr(b, e - b);
}

bool SameName(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  }
  return true;
}

std::string NarrowPath(const std::wstring& path) { return ToUtf8(path); }

std::vector<std::wstring> ReadLines(const std::wstring& path, bool* exists) {
  std::ifstream in(NarrowPath(path), std::ios::binary);
  *exists = static_cast<bool>(in);
  std::vector<std::wstring> lines;
  if (!in) return lines;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  const std::wstring text = FromAnsi(buffer.str());
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(start, end - start);
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// "[name]" gives name; anything else is not a section header.
bool SectionName(const std::wstring& line, std::wstring* name) {
  const std::wstring t = Trim(line);
  if (t.size() < 2 || t.front() != L'[') return false;
  const std::size_t close = t.find(L']');
  if (close == std::wstring::npos) return false;
  *name = Trim(t.substr(1, close - 1));
  return true;
}

bool KeyOf(const std::wstring& line, std::wstring* key, std::wstring* value) {
  const std::size_t eq = line.find(L'=');
  if (eq == std::wstring::npos) return false;
  *key = Trim(line.substr(0, eq));
  if (value) *value = Trim(line.substr(eq + 1));
  return true;
}

// Where a key lives: the line of the key, or -1; and the line after the
// section's last entry, or -1 when the section does not exist.
struct Location {
  long key_line = -1;
  long section_end = -1;
};

Location Find(const std::vector<std::wstring>& lines, const std::wstring& section, const std::wstring& key) {
  Location loc;
  bool inside = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::wstring name;
    if (SectionName(lines[i], &name)) {
      if (inside) break;
      inside = SameName(name, section);
      if (inside) loc.section_end = static_cast<long>(i) + 1;
      continue;
    }
    if (!inside) continue;
    std::wstring k;
    if (KeyOf(lines[i], &k, nullptr)) {
      loc.section_end = static_cast<long>(i) + 1;
      if (loc.key_line < 0 && SameName(k, key)) loc.key_line = static_cast<long>(i);
    }
  }
  return loc;
}

bool WriteWhole(const std::wstring& path, const std::vector<std::wstring>& lines) {
  std::string bytes;
  for (const std::wstring& line : lines) bytes += ToAnsi(line) + kNewline;
  // Write beside the file and rename over it, so that a failure halfway
  // never leaves a cut-off static.ini behind.
  const std::string target = NarrowPath(path);
  const std::string temp = target + ".tmp" + std::to_string(::getpid());
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (out && (out << bytes) && out.flush()) {
      out.close();
      if (std::rename(temp.c_str(), target.c_str()) == 0) return true;
    }
  }
  std::remove(temp.c_str());
  // A folder that takes no new files may still let the file itself change.
  std::ofstream in_place(target, std::ios::binary | std::ios::in | std::ios::out | std::ios::trunc);
  return in_place && (in_place << bytes) && in_place.flush();
}

}  // namespace

std::wstring GetProfileString(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                              const std::wstring& default_value) {
  bool exists = false;
  const std::vector<std::wstring> lines = ReadLines(path, &exists);
  const Location loc = Find(lines, section, key);
  std::wstring value = default_value;
  if (loc.key_line >= 0) {
    std::wstring k;
    KeyOf(lines[static_cast<std::size_t>(loc.key_line)], &k, &value);
    // Like the system, a value in matching quotes is read without them.
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
  }
  if (value.size() > kProfileValueChars) value.resize(kProfileValueChars);
  return value;
}

int GetProfileInt(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                  int default_value) {
  // As on Windows, an empty value counts as none.
  const std::wstring text = GetProfileString(path, section, key, L"");
  if (text.empty()) return default_value;
  std::size_t i = 0;
  while (i < text.size() && std::iswspace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
  long long value = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
    value = value * 10 + (text[i] - L'0');
    if (value > 0x7FFFFFFFLL) value = 0x7FFFFFFFLL;
  }
  return static_cast<int>(negative ? -value : value);
}

bool WriteProfileString(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                        const std::wstring& value) {
  bool exists = false;
  std::vector<std::wstring> lines = ReadLines(path, &exists);
  const Location loc = Find(lines, section, key);
  if (loc.key_line >= 0) {
    std::wstring k;
    KeyOf(lines[static_cast<std::size_t>(loc.key_line)], &k, nullptr);
    lines[static_cast<std::size_t>(loc.key_line)] = k + L"=" + value;
  } else if (loc.section_end >= 0) {
    lines.insert(lines.begin() + loc.section_end, key + L"=" + value);
  } else {
    lines.push_back(L"[" + section + L"]");
    lines.push_back(key + L"=" + value);
  }
  return WriteWhole(path, lines);
}

}  // namespace lv::os
