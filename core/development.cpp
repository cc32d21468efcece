#include "core/development.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "core/estimate.h"

namespace {

constexpr double HALF_DAY = 0.5;
// Sums of daily rates in doubles fall a hair short of a half day they reach
// exactly (19.499999999999996 for 19.5): within this of a half is the half.
constexpr double HALF_DAY_TOLERANCE = 1e-9;
constexpr double COMPLETE = 1.0;
constexpr std::int64_t NO_END = std::numeric_limits<std::int64_t>::max();

// Days [start, end) at one day's development each.
struct Stretch {
  std::int64_t start;
  std::int64_t end;  // NO_END for the last stretch, which goes on for ever
  double development;
};

// The entries in day order, one a day (the later of two for the same day),
// none before the laying day.
std::vector<DayEntry> DayByDay(std::span<const DayEntry> entries) {
  std::vector<DayEntry> days;
  for (const DayEntry& entry : entries) {
    if (entry.day < 0) {
      continue;
    }
    // The last day not after the entry's, searched from the end (entries
    // mostly come in order): that day again, or the place after it.
    auto after = std::find_if(days.rbegin(), days.rend(), [&entry](const DayEntry& day) {
                   return day.day <= entry.day;
                 }).base();
    if (after != days.begin() && (after - 1)->day == entry.day) {
      *(after - 1) = entry;
    } else {
      days.insert(after, entry);
    }
  }
  return days;
}

// The clutch's days as stretches of equal development: from laying at the
// clutch's temperature, then from each entry on at its temperatures.
std::vector<Stretch> Stretches(ClutchTemperatures clutch) {
  std::vector<Stretch> stretches = {
      {0, NO_END, DayDevelopment(clutch.temperature, clutch.temperature)}};
  for (const DayEntry& entry : DayByDay(clutch.entries)) {
    Stretch& last = stretches.back();
    double development = DayDevelopment(entry.lowest, entry.highest);
    if (entry.day == last.start) {
      last.development = development;
      continue;
    }
    last.end = entry.day;
    stretches.push_back({entry.day, NO_END, development});
  }
  return stretches;
}

// The hatch time in whole days, halves up, a time within HALF_DAY_TOLERANCE
// of a half day taken as the half.
double HatchDays(double time) {
  double whole = std::floor(time);
  return time - whole >= HALF_DAY - HALF_DAY_TOLERANCE ? whole + 1.0 : whole;
}

}  // namespace

double DayDevelopment(double lowest, double highest) {
  if (highest < lowest) {
    std::swap(lowest, highest);
  }
  double threshold = DevelopmentThreshold();
  // Above the threshold all day: the rate is a straight line, so its average
  // is the rate at the middle temperature.
  if (lowest > threshold) {
    double middle = (lowest + highest) / 2.0;
    return DailyRate(middle);
  }
  if (highest <= threshold) {
    return 0.0;
  }
  // Crossing it: only the part above the threshold develops, a triangle of
  // height RATE_PER_DEGREE x (highest - threshold) over that part.
  double above = highest - threshold;
  double span = highest - lowest;
  double area = RATE_PER_DEGREE * above * above;
  return area / (2.0 * span);
}

double DevelopmentByMidday(ClutchTemperatures clutch, std::int64_t day) {
  if (day < 0) {
    return 0.0;
  }
  double sum = 0.0;
  for (const Stretch& stretch : Stretches(clutch)) {
    if (day < stretch.end) {
      double wholeDays = static_cast<double>(day - stretch.start);
      return sum + wholeDays * stretch.development + HALF_DAY * stretch.development;
    }
    sum += static_cast<double>(stretch.end - stretch.start) * stretch.development;
  }
  return sum;  // not reached: the last stretch has no end
}

std::optional<double> HatchTime(ClutchTemperatures clutch) {
  double sum = 0.0;
  for (const Stretch& stretch : Stretches(clutch)) {
    if (stretch.development <= 0.0) {
      continue;
    }
    // Within a stretch the first day that completes the sum is day k with
    // k + (1 - S_k) / d = start + (1 - sum) / d, S_k the sum before day k.
    bool completes =
        stretch.end == NO_END ||
        sum + static_cast<double>(stretch.end - stretch.start) * stretch.development >= COMPLETE;
    if (completes) {
      return static_cast<double>(stretch.start) + (COMPLETE - sum) / stretch.development;
    }
    sum += static_cast<double>(stretch.end - stretch.start) * stretch.development;
  }
  return std::nullopt;
}

std::optional<CivilDate> LoggedHatchDate(CivilDate laid, ClutchTemperatures clutch) {
  if (DayByDay(clutch.entries).empty()) {
    return HatchDate(laid, EggPeriodEstimate(clutch.temperature));
  }
  std::optional<double> time = HatchTime(clutch);
  if (!time) {
    return std::nullopt;
  }
  return DateAfter(laid, HatchDays(*time));
}
