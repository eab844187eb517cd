// zelidor-sample-site: serves the bundled sample listings site on 127.0.0.1 until interrupted.
#include <CLI/CLI.hpp>

#include <csignal>
#include <iostream>

#include "samplesite/sample_site.h"

int main(int argc, char** argv) {
    CLI::App app{"Serves the Zelidor sample listings site on 127.0.0.1."};
    int port = 0;
    int latencyMs = 0;
    app.add_option("--port", port, "TCP port to listen on (0: any free port)")
        ->required()
        ->check(CLI::Range(0, 65535));
    app.add_option("--latency-ms", latencyMs, "pause before every answer, in milliseconds")
        ->check(CLI::NonNegativeNumber);
    CLI11_PARSE(app, argc, argv);

    // The signals are taken by sigwait below; blocked before any thread starts, so that every
    // server thread inherits the mask and none is interrupted by them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    zelidor::samplesite::SampleSite site;
    try {
        site.setLatency(std::chrono::milliseconds(latencyMs));
        site.start(port);
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    std::cout << "http://" << site.host() << "/" << std::endl;

    int received = 0;
    sigwait(&stopSignals, &received);
    site.stop();
    return 0;
}
