#pragma once

#include "report/Simulation.h"

#include <QString>
#include <chrono>
#include <cstdint>

class QWidget;

namespace quillory {

// The hand-statistics export behind the main window's hidden "&More..."
// button: asks where to save (through the modal seam), simulates the deals
// with shuffle seeds from a tick source (the system's tick count unless the
// caller passes its own), and writes the 381-line report.
//
// - Cancelling the save dialog ends the export silently; nothing is created.
// - The file is written by quillory-report's writer (ExportReportFile), so
//   devices, FIFOs and links are treated exactly as there (files/AtomicFile.h
//   says how), except that a FIFO no program reads is an error at once rather
//   than a wait that would freeze the window.
// - The target is opened before the simulation, so a path that cannot be
//   written is reported at once, with the path and the reason.
// - A regular file is replaced only once the report is complete; cancelling
//   the progress window, a write error or any other failure leaves an
//   existing file as it was (failures are reported, a cancel is not).
// - Text mode: every "\n" of the report becomes the platform's line end, so
//   on Linux and macOS the bytes are those of quillory-report.
struct StatisticsExportOptions {
    // Deals to simulate; the window always uses kReportDeals.
    std::int64_t deals{kReportDeals};
    // Read once, when the simulation starts, for the base of the deal seeds;
    // the window always uses the system's tick count.
    SeedSource ticks{SeedSource::Clock()};
    // Worker threads; 0 means QThread::idealThreadCount().
    int threads{0};
    // How long the export may take before the progress window opens; until
    // then the window shows a wait cursor, so a quick export shows nothing
    // else. The progress window (a QProgressDialog run through the modal
    // seam) shows the share of deals done, and its Cancel, Esc or close box
    // stops the simulation; a seam that returns without an end cancels too.
    std::chrono::milliseconds progressDelay{500};
    // Optional: receives the counters of a written report.
    HandStatistics* result{};
};

enum class StatisticsExportOutcome {
    NoPath,    // the save dialog was cancelled
    Written,   // the file holds the complete report
    Cancelled, // the user cancelled the simulation; nothing was written
    Failed,    // the user was told why; an existing file is unchanged
};

StatisticsExportOutcome SaveHandStatistics(QWidget* owner, const StatisticsExportOptions& options);

} // namespace quillory
