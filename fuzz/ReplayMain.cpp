// Runs a fuzz target's entry point over files instead of under libFuzzer: every file in the
// folders given (the seed corpus and the inputs of past findings) is one input. An input that
// breaks an invariant aborts, failing the test that runs this.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

int main(int argc, char** argv)
{
  if (LLVMFuzzerInitialize)
    LLVMFuzzerInitialize(&argc, &argv);
  int replayed = 0;
  for (int i = 1; i < argc; ++i)
  {
    if (!std::filesystem::is_directory(argv[i]))
    {
      std::fprintf(stderr, "replay: %s is not a folder\n", argv[i]);
      return 1;
    }
    for (const auto& entry : std::filesystem::directory_iterator(argv[i]))
    {
      std::ifstream file(entry.path(), std::ios::binary);
      const std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
      std::printf("replay: %s\n", entry.path().c_str());
      std::fflush(stdout);
      LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
      ++replayed;
    }
  }
  std::printf("replay: %d inputs passed\n", replayed);
  return replayed > 0 ? 0 : 1;
}
