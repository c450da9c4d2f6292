// xstorm.cpp -- a steady storm of input at a window, for scripts: xstorm TITLE SECONDS [REQUESTS_PER_SECOND]
// Key taps and pointer moves with the focus on the window, as a frantic player's; every second a focus
// change away and back. Ends with no key held.
#include "Storm.h"

#include <chrono>
#include <iostream>
#include <string>
#include <thread>

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 4) {
        std::cerr << "usage: xstorm TITLE SECONDS [REQUESTS_PER_SECOND]\n";
        return 2;
    }
    try {
        const std::string title = argv[1];
        const auto duration = std::chrono::seconds(std::stoi(argv[2]));
        const int perSecond = argc == 4 ? std::stoi(argv[3]) : 2000;
        // Sent in slices of a hundredth of a second each.
        const int perSlice = std::max(1, perSecond / 100);

        xdriver::Driver x;
        robustness::Decoy decoy;
        const xdriver::WindowId window = x.WaitForWindow(title, std::chrono::seconds(30));
        x.Focus(window);
        robustness::Storm storm(x, window, decoy.Id(), 1);
        const auto start = std::chrono::steady_clock::now();
        auto next = start;
        long sent = 0;
        for (int slice = 0; std::chrono::steady_clock::now() - start < duration && x.IsShown(window); ++slice) {
            try {
                storm.SendKeysAndMotion(perSlice);
                sent += perSlice;
                if (slice % 100 == 99) {
                    x.Focus(decoy.Id());
                    x.Focus(window);
                    sent += 2;
                }
            } catch (const xdriver::Error&) {
                // The window closing under the storm ends it; anything else is a failure.
                if (x.IsShown(window))
                    throw;
                break;
            }
            next += std::chrono::milliseconds(10);
            // Not a wait for anything: it spreads the storm over time at its rate, a slice every hundredth.
            std::this_thread::sleep_until(next);
        }
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::cout << "xstorm: " << sent << " input requests in " << static_cast<long>(seconds) << " s" << std::endl;
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "xstorm: " << error.what() << "\n";
        return 1;
    }
}
