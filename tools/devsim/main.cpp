// velkan-devsim: simulated processors on loopback addresses and a serial line.
#include "tools/devsim/DevsimOptions.h"
#include "tools/devsim/DevsimServer.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

std::atomic<bool> stopRequested{false};

void RequestStop(int) { stopRequested.store(true); }

void RequestSourceChange(int) { devsim::sourceSignals.fetch_add(1); }

} // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto options = devsim::ParseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "velkan-devsim: %s\n%s", error.c_str(), devsim::kUsage);
        return 2;
    }
    devsim::StateBlock state = devsim::BuiltinStateBlock();
    if (!options->stateFile.empty()) {
        std::ifstream in(options->stateFile, std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!in.eof() && !in.good()) {
            std::fprintf(stderr, "velkan-devsim: cannot read %s\n", options->stateFile.c_str());
            return 1;
        }
        if (bytes.size() != state.size()) {
            std::fprintf(stderr, "velkan-devsim: %s holds %zu bytes, a state block is %zu\n",
                         options->stateFile.c_str(), bytes.size(), state.size());
            return 1;
        }
        std::copy(bytes.begin(), bytes.end(), state.begin());
    }
    if (!options->extCard.empty()) devsim::SetExtensionCard(state, options->extCard);
    if (options->vgaCard) devsim::SetVgaCard(state);
    if (options->exitWithParent) {
        // A test that dies must not leave its devices holding their addresses.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() == 1) return 1;
    }
    std::signal(SIGPIPE, SIG_IGN);
    struct sigaction sa {};
    sa.sa_handler = RequestStop;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    struct sigaction usr1 {};
    usr1.sa_handler = RequestSourceChange;
    sigaction(SIGUSR1, &usr1, nullptr);

    devsim::DevsimServer server(*options, state);
    if (!server.Start()) return 1;
    std::printf("velkan-devsim ready\n");
    std::fflush(stdout);
    server.Run(stopRequested);
    return 0;
}
