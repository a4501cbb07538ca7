#pragma once

#include <vector>

// Pointers into one host bus, starting a number of frames into each channel, so a block
// longer than the plug-in's block size can be handed over in slices. Sized once for the
// plug-in's channel count; filling it allocates nothing.
template <typename Sample>
class ChannelPointerWindow
{
public:
  explicit ChannelPointerWindow(int capacity) : mPointers(capacity > 0 ? capacity : 1, nullptr) {}

  // Capacity() pointers: frame `offset` of each of the bus's first channels, null for the
  // channels the bus does not deliver (fewer channels, null arrays).
  Sample** Window(Sample** channels, int channelCount, int offset)
  {
    for (int c = 0; c < Capacity(); ++c)
    {
      Sample* channel = (channels != nullptr && c < channelCount) ? channels[c] : nullptr;
      mPointers[c] = channel != nullptr ? channel + offset : nullptr;
    }
    return mPointers.data();
  }

  int Capacity() const { return static_cast<int>(mPointers.size()); }

private:
  std::vector<Sample*> mPointers;
};
