#pragma once

#include <string>

// The file type of an output follows its name, never the input: .wav, .flac, .aif and .aiff
// (in any case) are written as WAV, FLAC and AIFF.

// The libsndfile container for path's extension; 0 for any other extension or none.
int ContainerOfName(const std::string& path);

// The full libsndfile format for writing container: the input's sample format where the
// container holds it, else 32-bit float (24-bit integer in FLAC, which has no float); an
// inputFormat of 0 gets that substitute, and floatSamples asks for 32-bit float. False with the cause in error when the
// container cannot hold that audio.
bool ChooseOutputFormat(int container, int inputFormat, bool floatSamples, int channels, int sampleRate, int& format,
                        std::string& error);
