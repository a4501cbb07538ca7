// The entry counting behind ModuleEntry and ModuleExit, which a host cannot observe directly.

#include <gtest/gtest.h>

#include "vst3/sdk/ModuleRegistry.h"

namespace {

int gInitCalls = 0;
bool gExitAllowed = true;

bool CountingInit()
{
  ++gInitCalls;
  return true;
}

bool GuardedExit()
{
  return gExitAllowed;
}

class ModuleRegistryTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    gInitCalls = 0;
    gExitAllowed = true;
  }
  ModuleRegistry registry{&CountingInit, &GuardedExit};
  int first = 1;
  int second = 2;
};

}  // namespace

TEST_F(ModuleRegistryTest, HandlesAreHeldUntilEveryEntryHasLeft)
{
  EXPECT_TRUE(registry.Enter(nullptr));  // counts nothing
  EXPECT_EQ(gInitCalls, 0);
  EXPECT_TRUE(registry.Enter(&first));
  EXPECT_TRUE(registry.Enter(&second));
  EXPECT_EQ(gInitCalls, 2);
  EXPECT_EQ(registry.ModuleHandle(), &first);

  EXPECT_TRUE(registry.Exit());
  EXPECT_EQ(registry.EntryCount(), 1);
  EXPECT_EQ(registry.HeldHandleCount(), 2);

  EXPECT_TRUE(registry.Exit());
  EXPECT_EQ(registry.EntryCount(), 0);
  EXPECT_EQ(registry.HeldHandleCount(), 0);
  EXPECT_EQ(registry.ModuleHandle(), nullptr);

  // An exit without an entry has nothing to release and goes below no count.
  EXPECT_TRUE(registry.Exit());
  EXPECT_EQ(registry.EntryCount(), 0);
}

TEST_F(ModuleRegistryTest, RefusingExitHookKeepsEverything)
{
  registry.Enter(&first);
  gExitAllowed = false;
  EXPECT_FALSE(registry.Exit());
  EXPECT_EQ(registry.EntryCount(), 1);
  EXPECT_EQ(registry.HeldHandleCount(), 1);
}
