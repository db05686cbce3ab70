// Where popup menus and submenus open: aligned at the point as asked, flipped or moved to stay in the
// work area.
#include "user/menu/PopupPlacement.h"

#include <gtest/gtest.h>

using platform::user::menu::PopupPlacement;

namespace {

TEST(PopupPlacement, MenusStayInsideTheWorkArea) {
  const RECT work{0, 0, 800, 560};
  const SIZE size{100, 200};
  struct Case {
    POINT at;
    UINT flags;
    RECT expected;
  } cases[] = {
      {{10, 10}, TPM_LEFTALIGN | TPM_TOPALIGN, {10, 10, 110, 210}},
      {{300, 300}, TPM_BOTTOMALIGN, {300, 100, 400, 300}},
      {{300, 300}, TPM_RIGHTALIGN | TPM_VCENTERALIGN, {200, 200, 300, 400}},
      {{300, 300}, TPM_CENTERALIGN, {250, 300, 350, 500}},
      {{750, 500}, 0, {650, 300, 750, 500}},           // flipped to the left of and above the point
      {{50, 100}, TPM_BOTTOMALIGN, {50, 100, 150, 300}},  // no room above the point: below it
      {{790, 10}, TPM_CENTERALIGN, {700, 10, 800, 210}},
      {{-50, -50}, 0, {0, 0, 100, 200}},
  };
  for (const Case& c : cases) {
    RECT r = PopupPlacement::forMenu(c.at, size, c.flags, work);
    EXPECT_TRUE(EqualRect(&r, &c.expected)) << c.at.x << "," << c.at.y << " flags " << c.flags << " -> " << r.left
                                            << "," << r.top << "," << r.right << "," << r.bottom;
  }
}

TEST(PopupPlacement, SubmenusOpenBesideTheirItem) {
  const RECT work{0, 0, 800, 560};
  struct Case {
    RECT parent;
    int itemTop;
    RECT expected;
  } cases[] = {
      {{100, 100, 250, 300}, 150, {248, 147, 398, 247}},  // to the right
      {{600, 100, 750, 300}, 150, {452, 147, 602, 247}},  // no room on the right: to the left
      {{100, 400, 250, 550}, 500, {248, 460, 398, 560}},  // moved up to stay above the bottom
  };
  for (const Case& c : cases) {
    RECT r = PopupPlacement::forSubmenu(c.parent, c.itemTop, SIZE{150, 100}, work);
    EXPECT_TRUE(EqualRect(&r, &c.expected)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  }
}

}  // namespace
