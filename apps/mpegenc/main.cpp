// mpegenc PARFILE OUTPUT: encodes the frames that the editor's animation
// export wrote, as its parameter file describes them, into an MPEG-1 video
// stream at 25 frames per second. The planes of every frame go, in frame
// order, as one raw yuv420p stream through ffmpeg's standard input; ffmpeg
// is found along PATH and started without a shell.
//
// Exit status 0 when ffmpeg encoded every frame; 1 with a message on stderr
// for a damaged parameter file, a missing or short plane file, a missing
// ffmpeg or a failed encoding; 2 for a wrong command line.

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "editor/mpeg_param_file.h"
#include "foundation/child_process.h"

namespace {

constexpr const char* kExtensions[3] = {".y", ".u", ".v"};

int Fail(const std::string& message) {
  std::cerr << "mpegenc: " << message << '\n';
  return 1;
}

// The files of one frame: B + the frame number, or its four-digit form as
// the editor writes them.
struct FrameFiles {
  std::string plane[3];
};

bool FindFrame(const zavo::MpegParams& params, int k, FrameFiles& files, std::string& error) {
  const std::uintmax_t sizes[3] = {static_cast<std::uintmax_t>(params.width) * params.height,
                                   static_cast<std::uintmax_t>(params.width / 2) * (params.height / 2),
                                   static_cast<std::uintmax_t>(params.width / 2) * (params.height / 2)};
  std::string base = zavo::MpegFrameName(params.pattern, k);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(base + kExtensions[0], ec)) {
    const std::string padded = zavo::MpegFrameName(params.pattern, k, 4);
    if (std::filesystem::is_regular_file(padded + kExtensions[0], ec)) base = padded;
  }
  for (int p = 0; p < 3; ++p) {
    files.plane[p] = base + kExtensions[p];
    const std::uintmax_t size = std::filesystem::file_size(files.plane[p], ec);
    if (ec) {
      error = "cannot read " + files.plane[p] + ": " + ec.message();
      return false;
    }
    if (size != sizes[p]) {
      error = files.plane[p] + " holds " + std::to_string(size) + " bytes, not " + std::to_string(sizes[p]);
      return false;
    }
  }
  return true;
}

bool SendFile(zavo::ChildProcess& ffmpeg, const std::string& file, std::vector<char>& buffer, std::string& error) {
  std::ifstream in(file, std::ios::binary);
  in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
  if (in.gcount() != static_cast<std::streamsize>(buffer.size())) {
    error = "cannot read " + file;
    return false;
  }
  if (!ffmpeg.Write(buffer.data(), buffer.size())) {
    error = "ffmpeg stopped reading the frames";
    return false;
  }
  return true;
}

std::vector<std::string> FfmpegArguments(const zavo::MpegParams& params, const std::string& output) {
  return {"-hide_banner", "-loglevel", "error", "-y", "-f", "rawvideo", "-pix_fmt", "yuv420p",
          "-s", std::to_string(params.width) + "x" + std::to_string(params.height), "-r", "25",
          "-i", "pipe:0", "-c:v", "mpeg1video", "-b:v", std::to_string(static_cast<long long>(params.bitRate)),
          "-f", "mpeg1video",
          // "file:" keeps a name with a colon or a leading "-" a plain file name.
          "file:" + output};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: mpegenc PARFILE OUTPUT\n";
    return 2;
  }
  // A write to an ffmpeg that has ended is reported, not fatal.
  std::signal(SIGPIPE, SIG_IGN);
  const std::string parFile = argv[1], output = argv[2];
  std::ifstream in(parFile, std::ios::binary);
  if (!in) return Fail("cannot open " + parFile);
  zavo::MpegParams params;
  std::string error;
  if (!zavo::ReadMpegParams(in, params, error)) return Fail(parFile + ": " + error);
  if (params.frames == 0) return Fail(parFile + " names no frames");

  std::vector<FrameFiles> frames(static_cast<std::size_t>(params.frames));
  for (int i = 0; i < params.frames; ++i) {
    if (!FindFrame(params, params.firstFrame + i, frames[static_cast<std::size_t>(i)], error)) return Fail(error);
  }

  zavo::ChildProcess ffmpeg;
  if (!ffmpeg.Start("ffmpeg", FfmpegArguments(params, output), true, true, error)) {
    return Fail("cannot run ffmpeg (" + error + "): MPEG output needs the package ffmpeg");
  }
  std::vector<char> buffers[3] = {
      std::vector<char>(static_cast<std::size_t>(params.width) * params.height),
      std::vector<char>(static_cast<std::size_t>(params.width / 2) * (params.height / 2)),
      std::vector<char>(static_cast<std::size_t>(params.width / 2) * (params.height / 2))};
  bool sent = true;
  for (const FrameFiles& files : frames) {
    for (int p = 0; p < 3 && sent; ++p) sent = SendFile(ffmpeg, files.plane[p], buffers[p], error);
    if (!sent) break;
  }
  const int status = ffmpeg.Wait();
  if (!sent) return Fail(error);
  if (status != 0) return Fail("ffmpeg failed (exit status " + std::to_string(status) + ")");
  return 0;
}
