#include "tests/tools/RenderFixture.h"
#include "tests/tools/TestAudio.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <sys/wait.h>
#include <thread>

namespace {

constexpr int kRate = 44100;
const int kFloatWav = SF_FORMAT_WAV | SF_FORMAT_FLOAT;

std::string FileText(const std::string& path)
{
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Every name in folder, hidden ones included.
std::set<std::string> FilesIn(const std::string& folder)
{
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

class Renderer : public RenderFixture
{
protected:
  // Writes a test signal and renders it; the output is read back (empty on failure).
  TestAudio RenderSignal(const TestAudio& input, const std::string& name, std::vector<std::string> arguments)
  {
    EXPECT_TRUE(WriteAudio(Path("in-" + name), input));
    arguments.insert(arguments.begin(), {Path("in-" + name), "-o", Path(name)});
    const ProcessResult result = Render(arguments);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return ReadAudio(Path(name));
  }

  // Waits until a file other than the input holds some audio: the render is under way. False
  // when the child ends first.
  bool WaitForRenderUnderWay(pid_t child, const std::string& input) const
  {
    constexpr std::uintmax_t kUnderWay = 64 * 1024;
    for (;;)
    {
      for (const auto& entry : std::filesystem::directory_iterator(mDirectory))
      {
        const std::string name = entry.path().filename().string();
        std::error_code error;
        if (name != input && name.rfind("std", 0) != 0 && entry.file_size(error) > kUnderWay)
          return true;
      }
      siginfo_t state{};
      if (waitid(P_PID, static_cast<id_t>(child), &state, WEXITED | WNOHANG | WNOWAIT) != 0 || state.si_pid != 0)
        return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }

  void ExpectOneLineFailure(const std::vector<std::string>& arguments, const std::string& wording)
  {
    const ProcessResult result = Render(arguments);
    EXPECT_NE(result.exitCode, 0);
    EXPECT_EQ(Lines(result.err).size(), 1u) << result.err;
    EXPECT_NE(result.err.find(wording), std::string::npos) << result.err;
  }
};

// The file type follows the output's name, whatever the input's name or type; the input's
// sample format stays where the type holds it.
TEST_F(Renderer, OutputTypeFollowsTheOutputName)
{
  const int kPcm16 = SF_FORMAT_PCM_16;
  const int kPcm24 = SF_FORMAT_PCM_24;
  const int kFloat = SF_FORMAT_FLOAT;
  struct Case
  {
    int inputFormat;
    const char* inputName;
    const char* outputName;
    int outputFormat;
  };
  const Case cases[] = {
    {SF_FORMAT_WAV | kPcm24, "in.wav", "out.wav", SF_FORMAT_WAV | kPcm24},
    {SF_FORMAT_FLAC | kPcm16, "flac-data.wav", "out.wav", SF_FORMAT_WAV | kPcm16},
    {SF_FORMAT_WAV | kPcm24, "in.wav", "out.flac", SF_FORMAT_FLAC | kPcm24},
    {SF_FORMAT_FLAC | kPcm16, "in.flac", "out.aif", SF_FORMAT_AIFF | kPcm16},
    {SF_FORMAT_WAV | kFloat, "in.wav", "out.aiff", SF_FORMAT_AIFF | kFloat},
    {SF_FORMAT_AIFF | kPcm16, "in.aiff", "OUT.WAV", SF_FORMAT_WAV | kPcm16},
    {SF_FORMAT_WAV | kFloat, "in.wav", "Out.Flac", SF_FORMAT_FLAC | kPcm24},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(std::string(c.inputName) + " -> " + c.outputName);
    const TestAudio input = MakeTestSignal(2, 48000, 0.3, c.inputFormat);
    ASSERT_TRUE(WriteAudio(Path(c.inputName), input));
    const ProcessResult result = Render({Path(c.inputName), "-o", Path(c.outputName)});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const TestAudio output = ReadAudio(Path(c.outputName));
    EXPECT_EQ(output.channels, 2);
    EXPECT_EQ(output.sampleRate, 48000);
    EXPECT_EQ(output.format, c.outputFormat);
    EXPECT_EQ(output.Frames(), input.Frames());
  }
  const TestAudio floatOutput =
    RenderSignal(MakeTestSignal(2, kRate, 0.2, SF_FORMAT_FLAC | SF_FORMAT_PCM_16), "forced.wav", {"--float"});
  EXPECT_EQ(floatOutput.format, kFloatWav);
}

TEST_F(Renderer, UnknownOutputTypesAreRefusedBeforeRendering)
{
  ASSERT_TRUE(WriteAudio(Path("in.wav"), MakeTestSignal(2, kRate, 0.1, kFloatWav)));
  std::ofstream(Path("kept.ogg")) << "not ours";
  for (const char* name : {"out.mp3", "out", "out.wav.bak", "kept.ogg"})
    ExpectOneLineFailure({Path("in.wav"), "-o", Path(name)}, "cannot tell the file type");
  ExpectOneLineFailure({Path("in.wav"), "-o", Path("float.flac"), "--float"}, "cannot hold 32-bit float");
  EXPECT_EQ(FileText(Path("kept.ogg")), "not ours");
  EXPECT_EQ(FilesIn(mDirectory), (std::set<std::string>{"in.wav", "kept.ogg", "stdout.txt", "stderr.txt"}));
}

// Ctrl-C or SIGTERM in the middle of a render: the output name shows the previous file or
// nothing, never a part, and the temporary file is gone.
TEST_F(Renderer, AStopSignalLeavesNoPartialOutput)
{
  // One-frame blocks make the render of 20 s last long enough to be caught half-way.
  ASSERT_TRUE(WriteAudio(Path("long.wav"), MakeTestSignal(2, kRate, 20.0, SF_FORMAT_WAV | SF_FORMAT_PCM_16)));
  const std::string previous = "the previous output";
  struct Case
  {
    int signal;
    bool outputExists;
  };
  for (const Case c : {Case{SIGTERM, true}, Case{SIGINT, true}, Case{SIGINT, false}})
  {
    SCOPED_TRACE(std::string(strsignal(c.signal)) + (c.outputExists ? ", over a file" : ", no file"));
    std::set<std::string> before = {"long.wav"};
    std::filesystem::remove(Path("out.wav"));
    if (c.outputExists)
    {
      std::ofstream(Path("out.wav")) << previous;
      before.insert("out.wav");
    }
    const pid_t child =
      StartProgram(VULCRAX_RENDER_PATH, {Path("long.wav"), "-o", Path("out.wav"), "--block-size", "1"}, mDirectory);
    ASSERT_GT(child, 0);
    const bool caught = WaitForRenderUnderWay(child, "long.wav");
    kill(child, c.signal);
    const ProcessResult result = FinishProgram(child, mDirectory);
    ASSERT_TRUE(caught) << "no partial output seen; the render ended with " << result.exitCode << ": " << result.err;
    EXPECT_EQ(result.signal, c.signal) << "exit code " << result.exitCode;
    EXPECT_EQ(Lines(result.err).size(), 1u) << result.err;
    EXPECT_NE(result.err.find("interrupted"), std::string::npos) << result.err;
    before.insert({"stdout.txt", "stderr.txt"});
    EXPECT_EQ(FilesIn(mDirectory), before);
    const std::string kept = FileText(Path("out.wav"));
    EXPECT_TRUE(!c.outputExists || kept == previous) << "out.wav holds " << kept.size() << " bytes";
  }
}

// Audio, state and preset are each replaced whole, keep the permissions of the file they
// replace and leave no temporary file behind; a folder that does not exist is one line.
TEST_F(Renderer, OutputsReplaceFilesWholeAndLeaveNothingElse)
{
  ASSERT_TRUE(WriteAudio(Path("in.wav"), MakeTestSignal(1, kRate, 0.2, kFloatWav)));
  std::ofstream(Path("out.flac")) << "old";
  std::filesystem::permissions(Path("out.flac"), std::filesystem::perms(0640));
  const ProcessResult result = Render({Path("in.wav"), "-o", Path("out.flac"), "--save-state", Path("s.state"),
                                       "--save-preset", Path("p.vstpreset"), "Low Level=-3"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(ReadAudio(Path("out.flac")).format, SF_FORMAT_FLAC | SF_FORMAT_PCM_24);
  EXPECT_EQ(std::filesystem::status(Path("out.flac")).permissions(), std::filesystem::perms(0640));
  EXPECT_EQ(FilesIn(mDirectory),
            (std::set<std::string>{"in.wav", "out.flac", "s.state", "p.vstpreset", "stdout.txt", "stderr.txt"}));
  ASSERT_EQ(Render({"--list", "--state", Path("s.state")}).exitCode, 0);
  ASSERT_EQ(Render({"--list", "--preset", Path("p.vstpreset")}).exitCode, 0);

  ExpectOneLineFailure({Path("in.wav"), "-o", Path("missing/out.wav")}, "cannot write");
  ExpectOneLineFailure({"--list", "--save-state", Path("missing/s.state")}, "cannot write state file");
  ExpectOneLineFailure({"--list", "--save-preset", Path("missing/p.vstpreset")}, "cannot write preset file");
}

TEST_F(Renderer, DefaultSettingsKeepTheSignalCloseToTheInput)
{
  // At the defaults every stage is bypassed and each band passes 0.99 of its signal; the
  // crossover sums back to the whole band with a phase shift, so levels are compared.
  const TestAudio input = MakeTestSignal(2, kRate, 1.0, kFloatWav);
  const TestAudio output = RenderSignal(input, "default.wav", {});
  ASSERT_EQ(output.Frames(), input.Frames());
  const long settled = kRate / 10;
  for (int channel = 0; channel < 2; ++channel)
  {
    const double ratio = Rms(output, channel, settled) / Rms(input, channel, settled);
    EXPECT_NEAR(ratio, 0.99, 0.02) << "channel " << channel;
    EXPECT_LT(Peak(output, channel), 0.6);
  }
}

TEST_F(Renderer, SaturationSettingsChangeTheSignal)
{
  const TestAudio input = MakeTestSignal(2, kRate, 0.5, kFloatWav);
  const TestAudio plain = RenderSignal(input, "plain.wav", {});
  const TestAudio saturated = RenderSignal(input, "saturated.wav", {"Mid Sat Bypass=off", "Mid Sat. Gain=18"});
  ASSERT_EQ(saturated.Frames(), plain.Frames());
  EXPECT_GT(MaxDifference(plain, saturated), 0.01);
}

TEST_F(Renderer, SavedStateReproducesTheRenderBitForBit)
{
  const TestAudio input = MakeTestSignal(2, kRate, 0.5, kFloatWav);
  ASSERT_TRUE(WriteAudio(Path("in.wav"), input));
  const ProcessResult first = Render({Path("in.wav"), "-o", Path("first.wav"), "--save-state", Path("state.bin"),
                                      "Oversample On/Off=on", "Low Sat Bypass=off", "Low Sat. Gain=24", "Freq. Low=300",
                                      "High Bit Red. Bypass=off", "High Bit res.=6", "Mid Level=-3.5"});
  ASSERT_EQ(first.exitCode, 0) << first.err;
  const ProcessResult second = Render({Path("in.wav"), "-o", Path("second.wav"), "--state", Path("state.bin")});
  ASSERT_EQ(second.exitCode, 0) << second.err;
  const ProcessResult plain = Render({Path("in.wav"), "-o", Path("plain.wav")});
  ASSERT_EQ(plain.exitCode, 0) << plain.err;

  const TestAudio firstOutput = ReadAudio(Path("first.wav"));
  ASSERT_GT(firstOutput.Frames(), 0);
  EXPECT_EQ(firstOutput.samples, ReadAudio(Path("second.wav")).samples);
  EXPECT_GT(MaxDifference(firstOutput, ReadAudio(Path("plain.wav"))), 0.01);
}

TEST_F(Renderer, TruncatedStateFilesAreRefused)
{
  ASSERT_EQ(Render({"--list", "--save-state", Path("state.bin")}).exitCode, 0);
  std::ifstream saved(Path("state.bin"), std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(saved), std::istreambuf_iterator<char>()};
  ASSERT_GT(bytes.size(), 100u);
  constexpr size_t kImageBytes = 8 * 43;  // without the bypass word that follows it
  for (const size_t length : {size_t{0}, size_t{100}, kImageBytes})
  {
    std::ofstream(Path("cut.bin"), std::ios::binary) << bytes.substr(0, length);
    ExpectOneLineFailure({"--list", "--state", Path("cut.bin")}, "refused the state");
  }
  ASSERT_EQ(Render({"--list", "--state", Path("state.bin")}).exitCode, 0);
}

TEST_F(Renderer, StateCarriesTheHostBypass)
{
  ASSERT_TRUE(WriteAudio(Path("in.wav"), MakeTestSignal(1, kRate, 0.3, kFloatWav)));
  const TestAudio input = ReadAudio(Path("in.wav"));
  ASSERT_EQ(Render({"--list", "Bypass=on", "Low Level=-30", "--save-state", Path("bypass.bin")}).exitCode, 0);
  const ProcessResult listed = Render({"--list", "--state", Path("bypass.bin")});
  EXPECT_NE(listed.out.find("\"Bypass\": on"), std::string::npos) << listed.out;

  // A bypassed plug-in passes its input through untouched, whatever its parameters say.
  ASSERT_EQ(Render({Path("in.wav"), "-o", Path("bypassed.wav"), "--state", Path("bypass.bin")}).exitCode, 0);
  EXPECT_EQ(ReadAudio(Path("bypassed.wav")).samples, input.samples);
}

TEST_F(Renderer, MonoFilesUseMonoBuses)
{
  const TestAudio input = MakeTestSignal(1, kRate, 0.5, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
  const TestAudio output = RenderSignal(input, "mono.wav", {});
  ASSERT_EQ(output.channels, 1);
  ASSERT_EQ(output.Frames(), input.Frames());
  EXPECT_NEAR(Rms(output, 0, kRate / 10) / Rms(input, 0, kRate / 10), 0.99, 0.02);
}

TEST_F(Renderer, BothSamplePrecisionsGiveTheSameSound)
{
  const TestAudio input = MakeTestSignal(2, kRate, 0.5, kFloatWav);
  const std::vector<std::string> heavy = {"Mid Sat Bypass=off", "Mid Sat. Gain=12", "Oversample On/Off=on"};
  auto arguments32 = heavy;
  arguments32.insert(arguments32.end(), {"--precision", "32"});
  auto arguments64 = heavy;
  arguments64.insert(arguments64.end(), {"--precision=64"});
  const TestAudio output32 = RenderSignal(input, "p32.wav", arguments32);
  const TestAudio output64 = RenderSignal(input, "p64.wav", arguments64);
  ASSERT_EQ(output32.Frames(), input.Frames());
  ASSERT_EQ(output64.Frames(), input.Frames());
  EXPECT_GT(Rms(output64, 0), 0.05);
  EXPECT_LT(MaxDifference(output32, output64), 1e-4);
}

TEST_F(Renderer, OddBlockSizesProcessEveryFrame)
{
  const TestAudio input = MakeTestSignal(2, kRate, 0.25, kFloatWav);
  for (const char* blockSize : {"1", "100", "4096"})
  {
    const TestAudio output = RenderSignal(input, "blocks.wav", {"--block-size", blockSize});
    ASSERT_EQ(output.Frames(), input.Frames()) << blockSize;
    EXPECT_NEAR(Rms(output, 1, kRate / 10) / Rms(input, 1, kRate / 10), 0.99, 0.02) << blockSize;
  }
}

TEST_F(Renderer, IntegerOutputClipsInsteadOfWrappingAround)
{
  TestAudio input = MakeTestSignal(1, kRate, 0.3, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
  for (double& sample : input.samples)
    sample *= 1.9;
  const std::vector<std::string> loud = {"Low Level=6", "Mid Level=6", "High Level=6"};
  const TestAudio clipped = RenderSignal(input, "loud.wav", loud);
  auto floatArguments = loud;
  floatArguments.push_back("--float");
  const TestAudio unclipped = RenderSignal(input, "loud-float.wav", floatArguments);
  ASSERT_EQ(clipped.Frames(), input.Frames());
  ASSERT_EQ(unclipped.Frames(), input.Frames());
  ASSERT_GT(Peak(unclipped, 0), 1.5);
  double worst = 0.0;
  for (long frame = 0; frame < input.Frames(); ++frame)
    worst = std::max(worst, std::fabs(clipped.At(frame, 0) - std::clamp(unclipped.At(frame, 0), -1.0, 1.0)));
  EXPECT_LT(worst, 1e-3);
}

TEST_F(Renderer, DemoRendersWithoutInputAndReportsLevels)
{
  const ProcessResult result = Render({"--stats"}, mDirectory);
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const TestAudio demo = ReadAudio(Path("vulcrax-demo.wav"));
  EXPECT_EQ(demo.channels, 2);
  EXPECT_EQ(demo.Frames(), 4 * kRate);
  EXPECT_GT(Rms(demo, 0), 0.01);
  EXPECT_GT(Peak(demo, 1), 0.1);

  const std::vector<std::string> lines = Lines(result.out);
  ASSERT_EQ(lines.size(), 3u) << result.out;
  EXPECT_NE(lines[1].find("channel 1: peak"), std::string::npos);
  EXPECT_NE(lines[2].find("channel 2: peak"), std::string::npos);
  EXPECT_NE(lines[2].find("RMS"), std::string::npos);
}

// An installed renderer sits in bin/ with the bundle in lib/vst3/ beside it, wherever the
// package was unpacked; without such a bundle it uses the one built in this tree.
TEST_F(Renderer, UsesTheBundleInstalledBesideItElseTheBuiltOne)
{
  namespace fs = std::filesystem;
  const fs::path installed = fs::path(mDirectory) / "lib/vst3/TolvexVulcrax.vst3";
  fs::create_directories(Path("bin"));
  fs::copy_file(VULCRAX_RENDER_PATH, Path("bin/vulcrax-render"));
  fs::permissions(Path("bin/vulcrax-render"), fs::perms::owner_exec, fs::perm_options::add);
  const auto usedBundle = [&] {
    const ProcessResult result = RunProgram(Path("bin/vulcrax-render"), {"--stats"}, mDirectory, mDirectory);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::string first = Lines(result.out).empty() ? std::string() : Lines(result.out)[0];
    return first.substr(first.find(", through ") + 10);
  };
  EXPECT_EQ(fs::path(usedBundle()), fs::canonical(TV_BUNDLE_DIR));

  fs::create_directories(installed.parent_path());
  fs::copy(TV_BUNDLE_DIR, installed, fs::copy_options::recursive);
  EXPECT_EQ(fs::path(usedBundle()), fs::canonical(installed));
}

TEST_F(Renderer, ListShowsEveryParameterWithItsUnitAndCurrentValue)
{
  const ProcessResult result =
    Render({"--list", "Freq. Low=488 Hz", "oversample on/off=ON", "Mid Sat. Gain=12.34", "Oversample Quality=classic"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const std::vector<std::string> lines = Lines(result.out);
  int rows = 0;
  for (const auto& line : lines)
    if (!line.empty() && std::isdigit(static_cast<unsigned char>(line[line.find_first_not_of(' ')])))
      ++rows;
  EXPECT_EQ(rows, 44);

  auto row = [&](const std::string& name) {
    for (const auto& line : lines)
      if (line.find("  " + name + "  ") != std::string::npos)
        return line;
    return std::string();
  };
  EXPECT_NE(row("Low Bit res.").find("24"), std::string::npos);
  EXPECT_NE(row("Low Bit res.").find("bits"), std::string::npos);
  EXPECT_NE(row("Low Level").find("0.0"), std::string::npos);
  EXPECT_NE(row("Low Level").find("dB"), std::string::npos);
  EXPECT_NE(row("Low Sat Bypass").find("on"), std::string::npos);
  EXPECT_NE(row("Freq. Low").find("488"), std::string::npos);
  EXPECT_NE(row("Freq. Low").find("Hz"), std::string::npos);
  EXPECT_NE(row("Oversample On/Off").find(" on "), std::string::npos);
  EXPECT_NE(row("Mid Sat. Gain").find("12.3"), std::string::npos);
  EXPECT_NE(row("Oversample Quality").find(" Classic   -      Classic | Clean"), std::string::npos);
}

TEST_F(Renderer, BadParametersFailWithOneLineAndWriteNothing)
{
  ExpectOneLineFailure({"--list", "Mid Saturation=3"}, "unknown parameter \"Mid Saturation\"");
  ExpectOneLineFailure({"--list", "Preset=0"}, "unknown parameter");
  ExpectOneLineFailure({"--list", "Mid Sat. Gain=loud"}, "bad value \"loud\"");
  ExpectOneLineFailure({"--list", "Mid Sat. Gain=61"}, "0 to 60 dB");
  ExpectOneLineFailure({"--list", "Mid Sat. Gain=12 Hz"}, "bad value");
  ExpectOneLineFailure({"--list", "Mid Sat. Gain=nan"}, "bad value");
  ExpectOneLineFailure({"--list", "Mid Sat. Gain="}, "bad value");
  ExpectOneLineFailure({"--list", "Oversample On/Off=maybe"}, "off or on");
  ExpectOneLineFailure({"--list", "Oversample On/Off=2"}, "bad value");
  ExpectOneLineFailure({"--list", "=5"}, "expected NAME=VALUE");
  ExpectOneLineFailure({"-o", Path("never.wav"), "Low Level=-31"}, "bad value");
  EXPECT_FALSE(std::filesystem::exists(Path("never.wav")));
}

TEST_F(Renderer, UnusableInputsAndPluginsFailWithOneLine)
{
  ExpectOneLineFailure({Path("missing.wav"), "-o", Path("out.wav")}, "cannot read");
  std::ofstream(Path("text.wav")) << "not audio";
  ExpectOneLineFailure({Path("text.wav"), "-o", Path("out.wav")}, "cannot read");
  ASSERT_TRUE(WriteAudio(Path("three.wav"), MakeTestSignal(3, kRate, 0.1, kFloatWav)));
  ExpectOneLineFailure({Path("three.wav"), "-o", Path("out.wav")}, "3 channels");
  ExpectOneLineFailure({"--list", "-p", Path("Nothing.vst3")}, "cannot load the plug-in");
  ExpectOneLineFailure({"--list", "-p", mDirectory}, "cannot load the plug-in");
  ExpectOneLineFailure({"--list", "--state", Path("missing.bin")}, "cannot read state file");
  ExpectOneLineFailure({"--list", "--block-size", "0"}, "bad block size");
  ExpectOneLineFailure({"--list", "--precision", "16"}, "bad precision");
  EXPECT_FALSE(std::filesystem::exists(Path("out.wav")));
}

TEST_F(Renderer, RefusesToOverwriteItsInput)
{
  ASSERT_TRUE(WriteAudio(Path("in.wav"), MakeTestSignal(2, kRate, 0.1, kFloatWav)));
  const TestAudio input = ReadAudio(Path("in.wav"));
  ExpectOneLineFailure({Path("in.wav"), "-o", mDirectory + "/./in.wav"}, "would overwrite the input");
  EXPECT_EQ(ReadAudio(Path("in.wav")).samples, input.samples);
}

}  // namespace
