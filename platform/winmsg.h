// The window-message vocabulary of the client. Numbers are Win32's, so a
// Windows backend passes messages through unchanged and every backend
// delivers the same numbers to the same handlers.
#pragma once

#include <cstdint>

#include "platform/geometry.h"

namespace lv {

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

namespace wm {
constexpr unsigned CREATE = 0x0001;
constexpr unsigned DESTROY = 0x0002;
constexpr unsigned MOVE = 0x0003;
constexpr unsigned SIZE = 0x0005;
constexpr unsigned SETFOCUS = 0x0007;
constexpr unsigned KILLFOCUS = 0x0008;
constexpr unsigned PAINT = 0x000F;
constexpr unsigned CLOSE = 0x0010;
constexpr unsigned ERASEBKGND = 0x0014;
constexpr unsigned SHOWWINDOW = 0x0018;
constexpr unsigned SETCURSOR = 0x0020;
constexpr unsigned GETMINMAXINFO = 0x0024;
constexpr unsigned NCDESTROY = 0x0082;
constexpr unsigned NCHITTEST = 0x0084;
constexpr unsigned NCLBUTTONDOWN = 0x00A1;
constexpr unsigned NCLBUTTONUP = 0x00A2;
constexpr unsigned KEYDOWN = 0x0100;
constexpr unsigned KEYUP = 0x0101;
constexpr unsigned SYSKEYDOWN = 0x0104;
constexpr unsigned COMMAND = 0x0111;
constexpr unsigned SYSCOMMAND = 0x0112;
constexpr unsigned TIMER = 0x0113;
constexpr unsigned MOUSEMOVE = 0x0200;
constexpr unsigned LBUTTONDOWN = 0x0201;
constexpr unsigned LBUTTONUP = 0x0202;
constexpr unsigned LBUTTONDBLCLK = 0x0203;
constexpr unsigned RBUTTONDOWN = 0x0204;
constexpr unsigned MOUSELEAVE = 0x02A3;
constexpr unsigned HOTKEY = 0x0312;
constexpr unsigned USER = 0x0400;
}  // namespace wm

// WM_SYSCOMMAND commands. Only the top 12 bits name the command; the low four
// carry extra information (SC_MOVE + HTCAPTION = 0xF012 starts a drag).
namespace sc {
constexpr unsigned SIZE = 0xF000;
constexpr unsigned MOVE = 0xF010;
constexpr unsigned MINIMIZE = 0xF020;
constexpr unsigned MAXIMIZE = 0xF030;
constexpr unsigned CLOSE = 0xF060;
constexpr unsigned RESTORE = 0xF120;
constexpr unsigned DRAG_MOVE = 0xF012;  // SC_MOVE + HTCAPTION
}  // namespace sc

// WM_NCHITTEST results.
namespace ht {
constexpr int NOWHERE = 0;
constexpr int CLIENT = 1;
constexpr int CAPTION = 2;
constexpr int LEFT = 10;
constexpr int RIGHT = 11;
constexpr int TOP = 12;
constexpr int TOPLEFT = 13;
constexpr int TOPRIGHT = 14;
constexpr int BOTTOM = 15;
constexpr int BOTTOMLEFT = 16;
constexpr int BOTTOMRIGHT = 17;
}  // namespace ht

// WM_SIZE types.
namespace size_type {
constexpr unsigned RESTORED = 0;
constexpr unsigned MINIMIZED = 1;
constexpr unsigned MAXIMIZED = 2;
}  // namespace size_type

// ShowWindow commands.
namespace sw {
constexpr int HIDE = 0;
constexpr int SHOWNORMAL = 1;
constexpr int SHOWMINIMIZED = 2;
constexpr int MAXIMIZE = 3;
constexpr int SHOW = 5;
constexpr int MINIMIZE = 6;
constexpr int RESTORE = 9;
}  // namespace sw

// Message-box flags and answers.
namespace mb {
constexpr unsigned OK = 0x0000;
constexpr unsigned OKCANCEL = 0x0001;
constexpr unsigned ICONEXCLAMATION = 0x0030;
constexpr unsigned ICONQUESTION = 0x0020;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
}  // namespace mb

// Virtual-key codes the client names.
namespace vk {
constexpr unsigned BACK = 0x08;
constexpr unsigned RETURN = 0x0D;
constexpr unsigned ESCAPE = 0x1B;
constexpr unsigned F4 = 0x73;
constexpr unsigned F5 = 0x74;
constexpr unsigned F9 = 0x78;
constexpr unsigned F10 = 0x79;
}  // namespace vk

// RegisterHotKey modifiers.
namespace mod {
constexpr unsigned ALT = 1;
constexpr unsigned CONTROL = 2;
constexpr unsigned SHIFT = 4;
}  // namespace mod

// Window styles the client uses when it creates windows.
namespace ws {
constexpr std::uint32_t POPUP = 0x80000000u;
constexpr std::uint32_t CHILD = 0x40000000u;
constexpr std::uint32_t VISIBLE = 0x10000000u;
constexpr std::uint32_t CLIPSIBLINGS = 0x04000000u;
constexpr std::uint32_t CLIPCHILDREN = 0x02000000u;
constexpr std::uint32_t SYSMENU = 0x00080000u;
constexpr std::uint32_t MINIMIZEBOX = 0x00020000u;
constexpr std::uint32_t MAXIMIZEBOX = 0x00010000u;
constexpr std::uint32_t EX_TOOLWINDOW = 0x00000080u;
constexpr std::uint32_t EX_TOPMOST = 0x00000008u;
constexpr std::uint32_t EX_LAYERED = 0x00080000u;
}  // namespace ws

// WM_GETMINMAXINFO's record, laid out as Win32's MINMAXINFO.
struct MinMaxInfo {
  struct Pt {
    std::int32_t x, y;
  };
  Pt reserved, max_size, max_position, min_track_size, max_track_size;
};

constexpr unsigned LoWord(std::uintptr_t v) { return static_cast<unsigned>(v & 0xFFFF); }
constexpr unsigned HiWord(std::uintptr_t v) { return static_cast<unsigned>((v >> 16) & 0xFFFF); }
constexpr LPARAM MakeLParam(int lo, int hi) {
  return static_cast<LPARAM>((static_cast<std::uint32_t>(hi & 0xFFFF) << 16) |
                             static_cast<std::uint32_t>(lo & 0xFFFF));
}
// Signed coordinates packed into an lParam (GET_X_LPARAM / GET_Y_LPARAM).
constexpr int XFromLParam(LPARAM lp) { return static_cast<std::int16_t>(lp & 0xFFFF); }
constexpr int YFromLParam(LPARAM lp) { return static_cast<std::int16_t>((lp >> 16) & 0xFFFF); }
constexpr Point PointFrom(LPARAM lp) { return Point{XFromLParam(lp), YFromLParam(lp)}; }

}  // namespace lv
