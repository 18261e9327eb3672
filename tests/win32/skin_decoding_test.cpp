// The skins as the Windows program carries them: resources of type "PNG",
// decoded by GDI+ into premultiplied surfaces.
#include "platform/win32/gdiplus_canvas.h"
#include "platform/win32/win32_platform.h"

#include <gtest/gtest.h>

namespace lv::win32 {
namespace {

bool Premultiplied(const Surface& s) {
  for (std::uint32_t p : s.pixels) {
    const std::uint32_t a = p >> 24;
    if (((p >> 16) & 0xFF) > a || ((p >> 8) & 0xFF) > a || (p & 0xFF) > a) return false;
  }
  return true;
}

TEST(Win32Skins, ResourcesDecodeToPremultipliedSurfacesOfTheirSize) {
  const struct {
    int id, width, height;
  } kSkins[] = {{149, 1200, 800}, {138, 28, 84}, {142, 136, 198}, {160, 75, 22}};
  for (const auto& skin : kSkins) {
    const std::optional<Surface> s = platform().DecodePng(os::LoadResourceBytes(skin.id));
    ASSERT_TRUE(s) << skin.id;
    EXPECT_EQ(s->width, skin.width) << skin.id;
    EXPECT_EQ(s->height, skin.height) << skin.id;
    EXPECT_TRUE(Premultiplied(*s)) << skin.id;
  }
  // The launcher's background: clear outside its frame, opaque over the page area.
  const std::optional<Surface> back = platform().DecodePng(os::LoadResourceBytes(149));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->At(0, 0), 0u);
  EXPECT_EQ(back->At(600, 450) >> 24, 255u);
}

TEST(Win32Skins, MissingAndBrokenImages) {
  EXPECT_TRUE(os::LoadResourceBytes(141).empty()) << "there is no image 141";
  const std::uint8_t junk[] = {0x89, 'P', 'N', 'G', 1, 2, 3};
  EXPECT_FALSE(platform().DecodePng(junk));
}

TEST(Win32Skins, FontFamiliesAreLookedUp) {
  const Gdiplus::InstalledFontCollection installed;
  Gdiplus::FontFamily first;
  INT found = 0;
  ASSERT_EQ(installed.GetFamilies(1, &first, &found), Gdiplus::Ok);
  ASSERT_EQ(found, 1) << "the system has no font at all";
  wchar_t name[LF_FACESIZE] = {};
  first.GetFamilyName(name);
  EXPECT_TRUE(platform().FontFamilyExists(name)) << "an installed family";
  EXPECT_FALSE(platform().FontFamilyExists(L"No Such Family"));
}

}  // namespace
}  // namespace lv::win32
