#include "ui/equity/EquityRun.h"

#include "range/RangeEquity.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace quillory {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Sampled runs draw at most this many deals; Stop or the standard-error
// target ends them long before.
constexpr std::int64_t kMostTrials = 400'000'000;
// A class's equity for the picture: exact when the core expects it to take
// at most this long, otherwise this many deals (a standard error of about
// 0.4 points, finer than the picture's colours).
constexpr double kClassExactSeconds = 0.05;
constexpr std::int64_t kClassTrials = 16384;

int Threads() {
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

// The request exact when the core's own estimate allows it, else sampled.
EquityRequest Plan(const EquityQuestion& question, double exactLimit, std::int64_t trials,
                   double target) {
    EquityRequest request;
    request.seats = question.seats;
    request.board = question.board;
    request.dead = question.dead;
    request.threads = Threads();
    request.method = EquityMethod::Exact;
    if (CheckEquityRequest(request).kind == EquityProblemKind::None &&
        RangeExactSecondsEstimate(request) / request.threads <= exactLimit) {
        return request;
    }
    request.method = EquityMethod::Sampled;
    request.trials = trials;
    request.targetStdError = target;
    request.seed = static_cast<std::uint32_t>(Clock::now().time_since_epoch().count());
    return request;
}

// Each class of each seat's range against the other seats' ranges.
// The share of the progress bar the main run takes; the picture's class
// equities fill the rest.
constexpr double kMainShare = 0.9;

void ClassEquities(const EquityQuestion& question, const std::atomic<bool>& stop,
                   const std::function<void(double)>& progress, EquityAnswer& answer) {
    const auto& combos = [] {
        std::array<std::vector<int>, kClassCount> classes;
        for (int combo = 0; combo < kComboCount; ++combo) {
            classes[static_cast<std::size_t>(ClassOfCombo(combo))].push_back(combo);
        }
        return classes;
    }();
    answer.classEquity.assign(question.seats.size(), {});
    for (std::size_t seat = 0; seat < question.seats.size(); ++seat) {
        auto& equities = answer.classEquity[seat];
        equities.fill(-1.0);
        for (int handClass = 0; handClass < kClassCount && !stop.load(); ++handClass) {
            const double done = static_cast<double>(seat * kClassCount + handClass) /
                                static_cast<double>(question.seats.size() * kClassCount);
            progress(kMainShare + (1.0 - kMainShare) * done);
            EquityQuestion part = question;
            HandRange only;
            for (int combo : combos[static_cast<std::size_t>(handClass)]) {
                only.SetWeight(combo, question.seats[seat].Weight(combo));
            }
            if (only.Empty()) {
                continue;
            }
            part.seats[seat] = only;
            EquityResults results;
            const EquityControl control{&stop, {}, 1.0};
            if (CalculateEquity(Plan(part, kClassExactSeconds, kClassTrials, 0.0), results, control)
                    .kind == EquityProblemKind::None) {
                equities[static_cast<std::size_t>(handClass)] = 100.0 * results.equity[seat];
            }
        }
    }
}

} // namespace

EquityAnswer ComputeEquity(const EquityQuestion& question, const std::atomic<bool>& stop,
                           const std::function<void(double)>& progress) {
    const auto started = Clock::now();
    const EquityRequest request =
        Plan(question, kRangeExactSecondsLimit, kMostTrials, kTargetStandardError / 100.0);
    EquityControl control;
    control.stop = &stop;
    control.progress = [&progress, &request](const EquityResults& so) {
        // A sampled run ends at the standard-error target: its progress is
        // how far the error has come down towards it.
        double done = so.progress;
        if (request.method == EquityMethod::Sampled && so.equityStdError > 0.0) {
            const double ratio = request.targetStdError / so.equityStdError;
            done = std::max(done, std::min(1.0, ratio * ratio));
        }
        progress(kMainShare * done);
    };
    EquityResults results;
    EquityAnswer answer;
    if (const EquityProblem problem = CalculateEquity(request, results, control);
        problem.kind != EquityProblemKind::None) {
        answer.problem = problem.Message();
        answer.problemSeat = problem.seat;
        return answer;
    }
    answer.seconds = SecondsSince(started);
    answer.method = results.method == EquityMethod::Exact ? FoundBy::Exact : FoundBy::MonteCarlo;
    answer.standardError = 100.0 * results.equityStdError;
    answer.samples = results.showdowns;
    answer.stopped = results.stopped;
    for (int seat = 0; seat < results.seats; ++seat) {
        const auto s = static_cast<std::size_t>(seat);
        answer.seats.push_back({100.0 * results.equity[s], 100.0 * results.winAlone[s],
                                100.0 * results.tie[s], question.seats[s].ComboCount()});
    }
    if (!answer.stopped) {
        const auto pictured = Clock::now();
        ClassEquities(question, stop, progress, answer);
        answer.pictureSeconds = SecondsSince(pictured);
    }
    return answer;
}

} // namespace quillory
