#include "core/development.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/estimate.h"
#include "core/ordering.h"

namespace {

constexpr double HALF_DAY = 0.5;
// Sums of daily rates in doubles fall a hair short of a half day they reach
// exactly (19.499999999999996 for 19.5): within this of a half is the half.
constexpr double HALF_DAY_TOLERANCE = 1e-9;
constexpr double COMPLETE = 1.0;

// The entries in day order, one a day (the later of two for the same day),
// none before the laying day: linear for entries already in order, n log n
// otherwise.
std::vector<DayEntry> DayByDay(std::span<const DayEntry> entries) {
  std::vector<std::int64_t> keys;
  keys.reserve(entries.size());
  for (const DayEntry& entry : entries) {
    keys.push_back(entry.day);
  }
  std::vector<std::size_t> order = InKeyOrder(keys);
  // Of a run of entries for one day, the last stands for it.
  std::vector<DayEntry> days;
  for (std::size_t at = 0; at < order.size(); ++at) {
    const DayEntry& entry = entries[order[at]];
    bool later = at + 1 < order.size() && entries[order[at + 1]].day == entry.day;
    if (entry.day >= 0 && !later) {
      days.push_back(entry);
    }
  }
  return days;
}

// A walk over the recorded days in order: each day's development taken from
// the known days around it.
struct DayWalk {
  const std::vector<KnownDay>& known;
  std::size_t before = 0;  // the last known day not after the day asked
};

// The development of `day`, no earlier than the day asked before.
double WalkTo(DayWalk& walk, std::int64_t day) {
  const std::vector<KnownDay>& known = walk.known;
  while (walk.before + 1 < known.size() && known[walk.before + 1].day <= day) {
    ++walk.before;
  }
  const KnownDay& before = known[walk.before];
  if (before.day == day || walk.before + 1 == known.size()) {
    return before.development;
  }
  // Between two known days: the share of the way from one to the next.
  const KnownDay& after = known[walk.before + 1];
  double share =
      static_cast<double>(day - before.day) / static_cast<double>(after.day - before.day);
  double change = after.development - before.development;
  double step = change * share;
  return before.development + step;
}

// The sum of the recorded days before `end` (at most the last recorded day + 1).
double RecordedSum(const DevelopmentDays& days, std::int64_t end) {
  DayWalk walk = {days.known};
  double sum = 0.0;
  for (std::int64_t day = 0; day < end; ++day) {
    sum += WalkTo(walk, day);
  }
  return sum;
}

// Days [start, end) at `development` each, after `sum`: the hatch time if
// they bring the sum to 1 (end nullopt: they go on for ever), else the sum
// they leave.
struct Stretch {
  std::optional<double> time;
  double sum;
};
Stretch AtOnePace(double sum, std::int64_t start, std::optional<std::int64_t> end,
                  double development) {
  if (development <= 0.0) {
    return {std::nullopt, sum};
  }
  // The first day k that completes the sum within the stretch gives
  // k + (1 - S_k) / d = start + (1 - sum) / d.
  if (!end || sum + static_cast<double>(*end - start) * development >= COMPLETE) {
    return {static_cast<double>(start) + (COMPLETE - sum) / development, sum};
  }
  return {std::nullopt, sum + static_cast<double>(*end - start) * development};
}

}  // namespace

std::optional<double> HatchTimeIf(const DevelopmentDays& days, std::int64_t from, double later) {
  std::int64_t last = LastRecordedDay(days);
  DayWalk walk = {days.known};
  double sum = 0.0;
  for (std::int64_t day = 0; day <= last; ++day) {
    double development = WalkTo(walk, day);
    if (development > 0.0 && sum + development >= COMPLETE) {
      return static_cast<double>(day) + (COMPLETE - sum) / development;
    }
    sum += development;
  }
  std::int64_t start = std::max(from, last + 1);
  Stretch paced = AtOnePace(sum, last + 1, start, days.pace);
  if (paced.time) {
    return paced.time;
  }
  return AtOnePace(paced.sum, start, std::nullopt, later).time;
}

namespace {

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

DevelopmentDays CountDays(ClutchTemperatures clutch) {
  std::vector<DayEntry> entries = DayByDay(clutch.entries);
  DevelopmentDays days = {{}, 0.0, 0.0, 0.0, !entries.empty()};
  if (entries.empty() || entries.front().day != 0) {
    days.known.push_back({0, DayDevelopment(clutch.temperature, clutch.temperature)});
  }
  for (const DayEntry& entry : entries) {
    days.known.push_back({entry.day, DayDevelopment(entry.lowest, entry.highest)});
  }
  // The pace: the mean of the last PACE_DAYS recorded days, and their extremes.
  std::int64_t last = LastRecordedDay(days);
  std::int64_t first = std::max<std::int64_t>(0, last - (PACE_DAYS - 1));
  DayWalk walk = {days.known};
  double sum = 0.0;
  days.coldest = WalkTo(walk, first);
  days.warmest = days.coldest;
  for (std::int64_t day = first; day <= last; ++day) {
    double development = WalkTo(walk, day);
    sum += development;
    days.coldest = std::min(days.coldest, development);
    days.warmest = std::max(days.warmest, development);
  }
  days.pace = sum / static_cast<double>(last - first + 1);
  return days;
}

std::int64_t LastRecordedDay(const DevelopmentDays& days) {
  return days.known.back().day;
}

double DevelopmentByMidday(const DevelopmentDays& days, std::int64_t day) {
  if (day < 0) {
    return 0.0;
  }
  std::int64_t last = LastRecordedDay(days);
  if (day <= last) {
    double sum = RecordedSum(days, day);
    DayWalk walk = {days.known};
    return sum + HALF_DAY * WalkTo(walk, day);
  }
  double sum = RecordedSum(days, last + 1);
  double wholeDays = static_cast<double>(day - last - 1);
  return sum + wholeDays * days.pace + HALF_DAY * days.pace;
}

std::optional<double> HatchTime(const DevelopmentDays& days) {
  return HatchTimeIf(days, LastRecordedDay(days) + 1, days.pace);
}

std::optional<CivilDate> HatchDateOf(CivilDate laid, double time) {
  return DateAfter(laid, HatchDays(time));
}

std::optional<CivilDate> LoggedHatchDate(CivilDate laid, ClutchTemperatures clutch) {
  return LoggedHatchDate(laid, clutch.temperature, CountDays(clutch));
}

std::optional<CivilDate> LoggedHatchDate(CivilDate laid, double temperature,
                                         const DevelopmentDays& days) {
  if (!days.logged) {
    return HatchDate(laid, EggPeriodEstimate(temperature));
  }
  std::optional<double> time = HatchTime(days);
  if (!time) {
    return std::nullopt;
  }
  return HatchDateOf(laid, *time);
}
