// Building and reading menus: items by position and by command (searched into submenus), states and
// their previous values, radio groups, separators, submenus destroyed with their menu or left to the
// caller, the menu-data word, and stale or bad handles.
#include <win/error.h>
#include <win/menu.h>

#include <gtest/gtest.h>

#include <string>

namespace {

UINT_PTR asId(HMENU menu) { return reinterpret_cast<UINT_PTR>(menu); }

struct Built {
  HMENU top, sub;
};

// Top: 100 "&Open", separator, 101 "Save" (checked), submenu "More" with 200 "Alpha", 201 "Beta".
Built build() {
  HMENU top = CreatePopupMenu(), sub = CreatePopupMenu();
  AppendMenuW(top, MF_STRING, 100, u"&Open");
  AppendMenuW(top, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(top, MF_STRING | MF_CHECKED, 101, u"Save");
  AppendMenuW(sub, MF_STRING, 200, u"Alpha");
  AppendMenuW(sub, MF_STRING | MF_GRAYED, 201, u"Beta");
  AppendMenuW(top, MF_POPUP, asId(sub), u"More");
  return Built{top, sub};
}

TEST(MenuData, ItemsReadBackByPositionAndByCommand) {
  Built m = build();
  EXPECT_EQ(4, GetMenuItemCount(m.top));
  struct Case {
    UINT item;
    UINT flags;
    UINT state;
  } cases[] = {
      {0, MF_BYPOSITION, MF_STRING},
      {1, MF_BYPOSITION, MF_SEPARATOR},
      {101, MF_BYCOMMAND, MF_CHECKED},
      {201, MF_BYCOMMAND, MF_GRAYED},  // found inside the submenu
      {3, MF_BYPOSITION, MF_POPUP | (2u << 8)},
      {999, MF_BYCOMMAND, static_cast<UINT>(-1)},
      {9, MF_BYPOSITION, static_cast<UINT>(-1)},
  };
  for (const Case& c : cases) EXPECT_EQ(c.state, GetMenuState(m.top, c.item, c.flags)) << c.item;
  EXPECT_EQ(100u, GetMenuItemID(m.top, 0));
  EXPECT_EQ(static_cast<UINT>(-1), GetMenuItemID(m.top, 3)) << "a submenu entry has no command";
  EXPECT_EQ(static_cast<UINT>(-1), GetMenuItemID(m.top, 4));
  EXPECT_EQ(m.sub, GetSubMenu(m.top, 3));
  char16_t text[16];
  EXPECT_EQ(5, GetMenuStringW(m.top, 100, text, 16, MF_BYCOMMAND));
  EXPECT_EQ(std::u16string(u"&Open"), text);
  EXPECT_EQ(3, GetMenuStringW(m.top, 200, text, 4, MF_BYCOMMAND)) << "cut to the buffer";
  EXPECT_EQ(std::u16string(u"Alp"), text);
  DestroyMenu(m.top);
}

TEST(MenuData, CheckAndEnableAnswerThePreviousState) {
  Built m = build();
  EXPECT_EQ(static_cast<DWORD>(MF_CHECKED), CheckMenuItem(m.top, 101, MF_BYCOMMAND | MF_UNCHECKED));
  EXPECT_EQ(static_cast<DWORD>(MF_UNCHECKED), CheckMenuItem(m.top, 101, MF_BYCOMMAND | MF_CHECKED));
  EXPECT_EQ(static_cast<DWORD>(-1), CheckMenuItem(m.top, 555, MF_BYCOMMAND | MF_CHECKED));
  EXPECT_EQ(MF_GRAYED, EnableMenuItem(m.top, 201, MF_BYCOMMAND | MF_ENABLED));
  EXPECT_EQ(MF_ENABLED, EnableMenuItem(m.top, 0, MF_BYPOSITION | MF_GRAYED));
  EXPECT_EQ(static_cast<UINT>(MF_GRAYED), GetMenuState(m.top, 100, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_EQ(-1, EnableMenuItem(m.top, 555, MF_BYCOMMAND));
  DestroyMenu(m.top);
}

TEST(MenuData, RadioMarksMoveWithinTheirGroupOnly) {
  HMENU menu = CreatePopupMenu();
  for (UINT id = 10; id < 14; ++id) AppendMenuW(menu, MF_STRING, id, u"Language");
  CheckMenuItem(menu, 13, MF_BYCOMMAND | MF_CHECKED);  // outside the group below
  EXPECT_TRUE(CheckMenuRadioItem(menu, 10, 12, 11, MF_BYCOMMAND));
  EXPECT_TRUE(CheckMenuRadioItem(menu, 0, 2, 2, MF_BYPOSITION));
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_STATE;
  struct Case {
    UINT id;
    bool radio, checked;
  } cases[] = {{10, false, false}, {11, false, false}, {12, true, true}, {13, false, true}};
  for (const Case& c : cases) {
    ASSERT_TRUE(GetMenuItemInfoW(menu, c.id, FALSE, &info));
    EXPECT_EQ(c.radio, (info.fType & MFT_RADIOCHECK) != 0) << c.id;
    EXPECT_EQ(c.checked, (info.fState & MFS_CHECKED) != 0) << c.id;
  }
  EXPECT_FALSE(CheckMenuRadioItem(menu, 10, 11, 13, MF_BYCOMMAND)) << "the item to check lies outside the group";
  DestroyMenu(menu);
}

TEST(MenuData, InsertModifyAndRemove) {
  Built m = build();
  EXPECT_TRUE(InsertMenuW(m.top, 0, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr));
  EXPECT_EQ(static_cast<UINT>(MF_SEPARATOR), GetMenuState(m.top, 0, MF_BYPOSITION));
  EXPECT_TRUE(InsertMenuW(m.top, 101, MF_BYCOMMAND | MF_STRING, 150, u"Before Save"));
  EXPECT_EQ(150u, GetMenuItemID(m.top, 3));
  EXPECT_TRUE(ModifyMenuW(m.top, 150, MF_BYCOMMAND | MF_STRING | MF_CHECKED, 151, u"Renamed"));
  EXPECT_EQ(static_cast<UINT>(MF_CHECKED), GetMenuState(m.top, 151, MF_BYCOMMAND));
  EXPECT_EQ(static_cast<UINT>(-1), GetMenuState(m.top, 150, MF_BYCOMMAND));

  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_ID | MIIM_STRING | MIIM_DATA;
  info.wID = 300;
  info.dwTypeData = const_cast<LPWSTR>(u"Inserted");
  info.dwItemData = 77;
  EXPECT_TRUE(InsertMenuItemW(m.top, GetMenuItemCount(m.top), TRUE, &info));
  MENUITEMINFOW back{};
  back.cbSize = sizeof(back);
  back.fMask = MIIM_DATA | MIIM_STRING;
  EXPECT_TRUE(GetMenuItemInfoW(m.top, 300, FALSE, &back));
  EXPECT_EQ(77u, back.dwItemData);
  EXPECT_EQ(8u, back.cch) << "without a buffer the length is answered";

  // RemoveMenu leaves the submenu alive; DeleteMenu destroys it.
  int more = GetMenuItemCount(m.top) - 2;
  EXPECT_TRUE(RemoveMenu(m.top, static_cast<UINT>(more), MF_BYPOSITION));
  EXPECT_TRUE(IsMenu(m.sub));
  AppendMenuW(m.top, MF_POPUP, asId(m.sub), u"More");
  EXPECT_TRUE(DeleteMenu(m.top, static_cast<UINT>(GetMenuItemCount(m.top) - 1), MF_BYPOSITION));
  EXPECT_FALSE(IsMenu(m.sub));
  EXPECT_FALSE(DeleteMenu(m.top, 999, MF_BYCOMMAND));
  EXPECT_EQ(static_cast<DWORD>(ERROR_MENU_ITEM_NOT_FOUND), GetLastError());
  DestroyMenu(m.top);
}

TEST(MenuData, DestroyingAMenuDestroysItsSubmenusAndStaleHandlesFail) {
  Built m = build();
  EXPECT_TRUE(DestroyMenu(m.top));
  EXPECT_FALSE(IsMenu(m.top));
  EXPECT_FALSE(IsMenu(m.sub));
  EXPECT_FALSE(DestroyMenu(m.top));
  EXPECT_EQ(-1, GetMenuItemCount(m.top));
  EXPECT_FALSE(AppendMenuW(m.top, MF_STRING, 1, u"x"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE), GetLastError());
  HMENU fresh = CreatePopupMenu();
  EXPECT_NE(fresh, m.top) << "a new menu never answers to an old handle";
  EXPECT_FALSE(AppendMenuW(fresh, MF_POPUP, asId(fresh), u"itself")) << "a menu cannot hold itself";
  EXPECT_FALSE(AppendMenuW(fresh, MF_POPUP, asId(m.sub), u"gone"));
  DestroyMenu(fresh);
}

TEST(MenuData, TheMenuDataWordIsKeptAndCanReachSubmenus) {
  Built m = build();
  MENUINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = MIM_MENUDATA | MIM_APPLYTOSUBMENUS;
  info.dwMenuData = 0x1234;
  EXPECT_TRUE(SetMenuInfo(m.top, &info));
  for (HMENU menu : {m.top, m.sub}) {
    MENUINFO back{};
    back.cbSize = sizeof(back);
    back.fMask = MIM_MENUDATA;
    EXPECT_TRUE(GetMenuInfo(menu, &back));
    EXPECT_EQ(0x1234u, back.dwMenuData);
  }
  MENUINFO wrong = info;
  wrong.cbSize = 4;
  EXPECT_FALSE(SetMenuInfo(m.top, &wrong));
  EXPECT_FALSE(GetMenuInfo(m.top, nullptr));
  DestroyMenu(m.top);
}

TEST(MenuData, AWindowKeepsItsMenuBar) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = u"MenuBarHolder";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, u"MenuBarHolder", u"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                nullptr, nullptr);
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_STRING, 1, u"&View");
  EXPECT_TRUE(SetMenu(window, bar));
  EXPECT_EQ(bar, GetMenu(window));
  EXPECT_TRUE(DrawMenuBar(window));
  DestroyMenu(bar);
  EXPECT_EQ(nullptr, GetMenu(window)) << "a destroyed menu is no longer the bar";
  EXPECT_FALSE(SetMenu(nullptr, nullptr));
  DestroyWindow(window);
}

}  // namespace

#include <framework/Menu.h>

namespace {

TEST(FrameworkMenu, OwnsItsMenuUntilDetached) {
  HMENU kept = nullptr, destroyed = nullptr;
  {
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    EXPECT_FALSE(menu.CreatePopupMenu()) << "one menu per object";
    EXPECT_TRUE(menu.AppendMenu(MF_STRING, 5, u"Five"));
    EXPECT_EQ(5u, menu.GetMenuItemID(0));
    EXPECT_EQ(static_cast<UINT>(MF_UNCHECKED), menu.CheckMenuItem(5, MF_CHECKED));
    destroyed = menu.GetSafeHmenu();
  }
  EXPECT_FALSE(IsMenu(destroyed)) << "the object destroys its menu";
  {
    CMenu menu;
    menu.CreateMenu();
    kept = menu.Detach();
  }
  EXPECT_TRUE(IsMenu(kept));
  DestroyMenu(kept);
}

}  // namespace
