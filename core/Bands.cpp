// SPDX-License-Identifier: MIT
#include "core/Bands.h"

#include <algorithm>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace qm {

int Cores()
{
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

void ForBands(int count, int bands, const std::function<void(int first, int last)>& band)
{
    bands = std::clamp(bands, 1, std::max(count, 1));
    std::vector<std::exception_ptr> failures(static_cast<std::size_t>(bands));
    const auto run = [&](int b) {
        try {
            band(count * b / bands, count * (b + 1) / bands);
        } catch (...) {
            failures[static_cast<std::size_t>(b)] = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    for (int b = 1; b < bands; ++b) {
        try {
            threads.emplace_back(run, b);
        } catch (const std::system_error&) {
            run(b);  // no thread to be had: this one does the band
        }
    }
    run(0);
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (const std::exception_ptr& failure : failures) {
        if (failure) {
            std::rethrow_exception(failure);
        }
    }
}

}  // namespace qm
