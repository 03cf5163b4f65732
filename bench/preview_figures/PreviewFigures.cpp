// Preview figures for the closing notes.
// 1. Decode rate: 1920 x 1080 and 1280 x 720 streams (made here with ffmpeg) through our decoder
//    layer in 1,400-byte pieces, against `ffmpeg -threads 1 -benchmark` on the same file in the
//    same run; best of three each.
// 2. Resident memory of the program under this X server: idle, then with a device streaming a
//    960 x 540 preview into the canvas cells, then with the preview window open as well; and
//    whether any GL driver got loaded.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wrestrict"  // gcc 12's false alarm on "text" + std::string
#endif
#include "platform/h264/H264Decoder.h"
#include "support/DevsimProcess.h"
#include "window/ProgramUnderTest.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace std::chrono;

namespace {

bool MakeStream(const std::string& path, const std::string& size, int seconds, const std::string& source) {
  const std::string command = "ffmpeg -nostdin -v error -y -f lavfi -i " + source + "=size=" + size +
                              ":rate=25 -t " + std::to_string(seconds) +
                              " -c:v libx264 -profile:v baseline -g 25 -b:v 8M -pix_fmt yuv420p -f h264 '" + path + "'";
  return std::system(command.c_str()) == 0;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Pictures per second through our decoder layer, best of three.
double OurRate(const std::vector<uint8_t>& stream, int& pictures) {
  double best = 0;
  for (int run = 0; run < 3; ++run) {
    auto decoder = CreateH264Decoder();
    int n = 0;
    const auto start = steady_clock::now();
    for (size_t at = 0; at < stream.size(); at += 1400)
      n += decoder->Decode(stream.data() + at, std::min<size_t>(1400, stream.size() - at), {});
    n += decoder->Flush({});
    const double s = duration<double>(steady_clock::now() - start).count();
    best = std::max(best, n / s);
    pictures = n;
  }
  return best;
}

// Pictures per second of `ffmpeg -threads 1 -benchmark` (its real time), best of three.
double FfmpegRate(const std::string& path, int pictures) {
  double best = 0;
  for (int run = 0; run < 3; ++run) {
    const std::string out = RunCommand("ffmpeg -nostdin -hide_banner -threads 1 -benchmark -i '" + path +
                                       "' -f null - 2>&1 | grep -o 'rtime=[0-9.]*'");
    const double s = std::atof(out.c_str() + (out.rfind("rtime=", 0) == 0 ? 6 : 0));
    if (s > 0) best = std::max(best, pictures / s);
  }
  return best;
}

long ResidentKilobytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  return -1;
}

// GL and LLVM libraries mapped into the process.
std::string GlLibraries(pid_t pid) {
  return RunCommand("grep -o -E '[^/ ]*(libGL|libLLVM|_dri|swrast|libEGL)[^ ]*' /proc/" + std::to_string(pid) +
                    "/maps | sort -u | tr '\\n' ' '");
}

pid_t ProgramPid() {
  const std::string out = RunCommand("pgrep -n -f '^" + std::string(VELKAN_EXE) + "$'");
  return static_cast<pid_t>(std::atol(out.c_str()));
}

}  // namespace

int main() {
  if (!std::getenv("DISPLAY")) {
    std::fprintf(stderr, "needs an X display (run under xvfb-run)\n");
    return 2;
  }
  const std::string base = std::filesystem::temp_directory_path() / ("velkan-figures-" + std::to_string(getpid()));
  std::filesystem::create_directories(base);

  for (const char* size : {"1920x1080", "1280x720"}) {
    const std::string path = base + "/decode_" + size + ".h264";
    if (!MakeStream(path, size, 8, "testsrc")) {
      std::printf("ffmpeg could not make a %s stream\n", size);
      continue;
    }
    int pictures = 0;
    const double ours = OurRate(ReadFile(path), pictures);
    const double theirs = FfmpegRate(path, pictures);
    std::printf("decode %s: %d pictures, ours %.0f/s, ffmpeg -threads 1 %.0f/s, ratio %.2f\n", size, pictures, ours,
                theirs, theirs > 0 ? ours / theirs : 0.0);
  }

  // The program against a device streaming a 960 x 540 preview, connected by the search.
  const std::string stream = base + "/preview_960x540.h264";
  MakeStream(stream, "960x540", 2, "testsrc");
  const std::string home = base + "/home/";
  std::filesystem::create_directories(home);
  testsupport::DevsimProcess devsim;
  ProgramUnderTest program(home);
  if (devsim.Start({"--device", testsupport::FreeDeviceAddress(77), "--preview", stream}) && program.Start()) {
    std::this_thread::sleep_for(seconds(2));
    const pid_t pid = ProgramPid();
    std::printf("resident memory idle: %.1f MB; GL libraries: [%s]\n", ResidentKilobytes(pid) / 1024.0,
                GlLibraries(pid).c_str());
    // COMM page, "Search Machines", SEARCH (the positions of a 96-dpi screen).
    program.Click(37, 104 + 36 * 10 + 18);
    program.Click(233, 220);
    program.WaitForShown({"floating: Search Machines"}, seconds(5));
    program.Click(772, 159);
    if (program.WaitForShown({"connection: connected", "busy: hidden", "canvas: zoom 6.0 preview on"}, seconds(30))) {
      program.Click(233, 220);  // the search page steps aside
      std::this_thread::sleep_for(seconds(5));
      program.SaveScreenshot(std::string(VELKAN_ARTIFACTS) + "/figures_preview_cells.png");
      std::printf("resident memory with the 960x540 preview in the cells: %.1f MB; GL libraries: [%s]\n",
                  ResidentKilobytes(pid) / 1024.0, GlLibraries(pid).c_str());
      // The video-window button left of the sync group opens the preview window beside the cells.
      program.Click(1056, 53);
      if (program.WaitForShown({"video window: shown"}, seconds(5))) {
        std::this_thread::sleep_for(seconds(5));
        program.SaveScreenshot(std::string(VELKAN_ARTIFACTS) + "/figures_preview_window.png");
        std::printf("resident memory with the preview window open as well: %.1f MB; GL libraries: [%s]\n",
                    ResidentKilobytes(pid) / 1024.0, GlLibraries(pid).c_str());
      } else {
        std::printf("the preview window did not open\n");
      }
    } else {
      std::printf("the device was not connected with its preview on\n");
    }
    program.Stop();
  }
  std::filesystem::remove_all(base);
  return 0;
}
