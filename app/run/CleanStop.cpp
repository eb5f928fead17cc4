// SPDX-License-Identifier: MIT
#include "app/run/CleanStop.h"

#include <signal.h>

#include "app/record/StopRecord.h"
#include "imageio/TemporaryFiles.h"
#include "plugin/HostGroups.h"

namespace qm {
namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void OnStopSignal(int signal)
{
    KillHostGroups(true);
    RemoveRecordedTemporariesForExit();
    WriteStopRecordForExit();
    // Raised again with the default action, the signal ends the program as
    // soon as this handler returns and unblocks it.
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    sigaction(signal, &fallback, nullptr);
    raise(signal);
}

}  // namespace

void InstallCleanStop()
{
    struct sigaction stop {};
    stop.sa_handler = OnStopSignal;
    sigemptyset(&stop.sa_mask);
    for (const int signal : kStopSignals) {
        sigaddset(&stop.sa_mask, signal);
    }
    for (const int signal : kStopSignals) {
        struct sigaction previous {};
        // A signal the program was started with ignored (nohup) stays
        // ignored.
        if (sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler != SIG_IGN) {
            sigaction(signal, &stop, nullptr);
        }
    }
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGXFSZ, &ignore, nullptr);
}

}  // namespace qm
