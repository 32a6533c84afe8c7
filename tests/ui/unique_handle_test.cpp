#include "ui/unique_handle_win.h"

#include <gtest/gtest.h>

#include <utility>

namespace orvanta {
namespace {

bool alive(HGDIOBJ object) {
  return GetObjectType(object) != 0;
}

TEST(UniqueHandleTest, ClosesOnceWhenResetOrDestroyedAndMovesOwnership) {
  HBRUSH first = CreateSolidBrush(RGB(1, 2, 3));
  HBRUSH second = CreateSolidBrush(RGB(4, 5, 6));
  {
    UniqueHbrush a(first);
    UniqueHbrush b(std::move(a));
    EXPECT_FALSE(a);
    EXPECT_EQ(b.get(), first);
    b.reset(second);
    EXPECT_FALSE(alive(first));
    EXPECT_TRUE(alive(second));
    HBRUSH kept = b.release();
    EXPECT_FALSE(b);
    b = UniqueHbrush(kept);
  }
  EXPECT_FALSE(alive(second));
}

TEST(SelectGuardTest, PutsBackTheObjectTheDcHadSelected) {
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  UniqueHbrush red(CreateSolidBrush(RGB(255, 0, 0)));
  HGDIOBJ before = GetCurrentObject(dc.get(), OBJ_BRUSH);
  {
    SelectGuard select(dc.get(), red.get());
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), red.get());
  }
  EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), before);
}

}  // namespace
}  // namespace orvanta
