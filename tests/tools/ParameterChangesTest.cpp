#include "pluginterfaces/vst/ivstevents.h"
#include "tools/host/ParameterChanges.h"

#include <gtest/gtest.h>

using namespace Steinberg;
using TvHost::ParameterChanges;
using TvHost::ParamValueQueue;

namespace {

double LastValue(Vst::IParamValueQueue& queue)
{
  int32 offset = 0;
  Vst::ParamValue value = -1.0;
  EXPECT_EQ(queue.getPoint(queue.getPointCount() - 1, offset, value), kResultOk);
  return value;
}

}  // namespace

TEST(ParamValueQueue, KeepsPointsInOffsetOrderAndReplacesEqualOffsets)
{
  ParamValueQueue queue;
  queue.Reset(7);
  int32 index = -2;
  ASSERT_EQ(queue.addPoint(100, 0.5, index), kResultOk);
  ASSERT_EQ(queue.addPoint(10, 0.1, index), kResultOk);
  EXPECT_EQ(index, 0);
  ASSERT_EQ(queue.addPoint(100, 0.9, index), kResultOk);
  EXPECT_EQ(index, 1);

  EXPECT_EQ(queue.getParameterId(), 7u);
  EXPECT_EQ(queue.getPointCount(), 2);
  EXPECT_DOUBLE_EQ(LastValue(queue), 0.9);
  int32 offset = 0;
  Vst::ParamValue value = 0;
  EXPECT_EQ(queue.getPoint(2, offset, value), kResultFalse);
  EXPECT_EQ(queue.getPoint(-1, offset, value), kResultFalse);
}

TEST(ParamValueQueue, RefusesPointsBeyondItsCapacity)
{
  ParamValueQueue queue;
  queue.Reset(1);
  int32 index = 0;
  for (int32 i = 0; i < ParamValueQueue::kMaxPoints; ++i)
    ASSERT_EQ(queue.addPoint(i, i * 0.01, index), kResultOk);
  EXPECT_EQ(queue.addPoint(ParamValueQueue::kMaxPoints, 1.0, index), kResultFalse);
  EXPECT_EQ(index, -1);
  // An existing offset can still be updated when full.
  EXPECT_EQ(queue.addPoint(3, 0.75, index), kResultOk);
  EXPECT_EQ(queue.getPointCount(), ParamValueQueue::kMaxPoints);
}

TEST(ParameterChanges, OneQueuePerParameterUpToCapacity)
{
  ParameterChanges changes(2);
  EXPECT_TRUE(changes.AddChange(5, 0.2));
  EXPECT_TRUE(changes.AddChange(5, 0.4, 64));
  EXPECT_TRUE(changes.AddChange(9, 1.0));
  EXPECT_FALSE(changes.AddChange(11, 1.0));
  ASSERT_EQ(changes.getParameterCount(), 2);

  Vst::IParamValueQueue* first = changes.getParameterData(0);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->getParameterId(), 5u);
  EXPECT_EQ(first->getPointCount(), 2);
  EXPECT_DOUBLE_EQ(LastValue(*first), 0.4);
  EXPECT_EQ(changes.getParameterData(2), nullptr);

  int32 index = 0;
  EXPECT_EQ(changes.addParameterData(11, index), nullptr);
  EXPECT_EQ(index, -1);
}

TEST(ParameterChanges, ClearStartsTheNextBlockEmpty)
{
  ParameterChanges changes(4);
  changes.AddChange(3, 0.3);
  changes.Clear();
  EXPECT_EQ(changes.getParameterCount(), 0);
  EXPECT_EQ(changes.getParameterData(0), nullptr);

  changes.AddChange(8, 0.8);
  Vst::IParamValueQueue* queue = changes.getParameterData(0);
  ASSERT_NE(queue, nullptr);
  EXPECT_EQ(queue->getParameterId(), 8u);
  EXPECT_EQ(queue->getPointCount(), 1);
}

TEST(ParameterChanges, AnswersInterfaceQueriesAndCountsBorrowedReferences)
{
  ParameterChanges changes(1);
  void* object = nullptr;
  ASSERT_EQ(changes.queryInterface(Vst::IParameterChanges::iid, &object), kResultOk);
  EXPECT_EQ(object, static_cast<Vst::IParameterChanges*>(&changes));
  EXPECT_EQ(changes.BorrowedReferences(), 1u);
  changes.release();
  EXPECT_EQ(changes.BorrowedReferences(), 0u);
  EXPECT_EQ(changes.queryInterface(Vst::IEventList::iid, &object), kNoInterface);
  EXPECT_EQ(object, nullptr);
}
