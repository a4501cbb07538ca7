#include "tools/host/PresetFileIO.h"

#include "public.sdk/source/vst/vstpresetfile.h"
#include "tools/host/MemoryStream.h"

#include <cstdio>
#include <cstring>

namespace TvHost {

using namespace Steinberg;

namespace {

// True when entry lies wholly inside a file of fileSize bytes.
bool InsideFile(const Vst::PresetFile::Entry& entry, int64 fileSize)
{
  return entry.offset >= 0 && entry.size > 0 && entry.offset <= fileSize && entry.size <= fileSize - entry.offset;
}

bool HasPresetMagic(const std::vector<char>& bytes)
{
  const Vst::ChunkID& magic = Vst::getChunkID(Vst::kHeader);
  return bytes.size() >= sizeof magic && std::memcmp(bytes.data(), magic, sizeof magic) == 0;
}

}  // namespace

bool WritePresetFile(const std::string& path, const FUID& classId, Vst::IComponent& component, std::string& error)
{
  MemoryStream stream;
  if (!Vst::PresetFile::savePreset(&stream, classId, &component))
  {
    error = "the plug-in did not give its state for " + path;
    return false;
  }
  if (!stream.SaveFile(path))
  {
    std::remove(path.c_str());
    error = "cannot write preset file " + path;
    return false;
  }
  return true;
}

bool ReadPresetFile(const std::string& path, PresetContents& contents, std::string& error)
{
  MemoryStream stream;
  stream.SetEndOfData(MemoryStream::EndOfData::kFailOnShortRead);
  if (!stream.LoadFile(path))
  {
    error = "cannot read preset file " + path;
    return false;
  }
  if (!HasPresetMagic(stream.Bytes()))
  {
    error = path + " is not a VST 3 preset file";
    return false;
  }
  Vst::PresetFile file(&stream);
  const Vst::PresetFile::Entry* state = file.readChunkList() ? file.getEntry(Vst::kComponentState) : nullptr;
  const auto fileSize = static_cast<int64>(stream.Bytes().size());
  if (!state || !InsideFile(*state, fileSize))
  {
    error = "preset file " + path + " is damaged: it holds no complete plug-in state";
    return false;
  }
  const auto begin = stream.Bytes().begin() + state->offset;
  contents.classId = file.getClassID();
  contents.componentState.assign(begin, begin + state->size);
  return true;
}

}  // namespace TvHost
