#include "web/clutch_record.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <span>

#include "core/number_text.h"
#include "core/ordering.h"
#include "resources/page_texts.h"
#include "web/page_format.h"

namespace {

constexpr std::size_t CLUTCH_FIELD_COUNT = std::size(CLUTCH_FIELDS);
constexpr std::size_t ENTRY_FIELD_COUNT = std::size(ENTRY_FIELDS);
// Each field's place in a row, in the order CLUTCH_FIELDS and ENTRY_FIELDS give.
enum ClutchField : std::size_t { ID, NAME, LAID, TEMPERATURE, HATCHED, UPDATED };
enum EntryField : std::size_t { DATE, LOWEST, HIGHEST, ASIDE };
static_assert(CLUTCH_FIELD_COUNT == UPDATED + 1 && ENTRY_FIELD_COUNT == ASIDE + 1,
              "a row's fields are named in the order CLUTCH_FIELDS and ENTRY_FIELDS give");

// The C0 controls end before the space; DEL stands alone.
constexpr unsigned char FIRST_PRINTABLE = 0x20;
constexpr unsigned char DELETE_CHARACTER = 0x7f;
// UTF-8: the C1 controls U+0080 to U+009F are C2 80 to C2 9F; the line and
// paragraph separators U+2028 and U+2029 are E2 80 A8 and E2 80 A9.
constexpr unsigned char C1_LEAD = 0xC2;
constexpr unsigned char C1_FIRST = 0x80;
constexpr unsigned char C1_LAST = 0x9F;
constexpr std::string_view LINE_SEPARATOR = "\xE2\x80\xA8";
constexpr std::string_view PARAGRAPH_SEPARATOR = "\xE2\x80\xA9";
constexpr unsigned char CONTINUATION_MASK = 0xC0;
constexpr unsigned char CONTINUATION_BITS = 0x80;
// A derived id: its prefix, then the old id's 64-bit FNV-1a hash in hexadecimal.
constexpr std::string_view DERIVED_ID_PREFIX = "m-";
constexpr std::uint64_t FNV_OFFSET_BASIS = 0xcbf29ce484222325ULL;
constexpr std::uint64_t FNV_PRIME = 0x100000001b3ULL;
constexpr int HEX_DIGITS = 16;
constexpr int BITS_PER_HEX_DIGIT = 4;
constexpr std::uint64_t HEX_DIGIT_MASK = 0xf;
// The time a record without one is given: the oldest there is.
constexpr const char* OLDEST_TIME = "0";

// The 64-bit FNV-1a hash of `text`, going on from `hash`.
std::uint64_t Fnv1a(std::string_view text, std::uint64_t hash) {
  for (char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= FNV_PRIME;
  }
  return hash;
}

bool IsNotText(std::string_view field) {
  return field.size() == 1 && field[0] == NOT_TEXT_MARK;
}

bool IsIdCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
}

bool IsId(std::string_view id) {
  return !id.empty() && id.size() <= ID_LENGTH_LIMIT &&
         std::all_of(id.begin(), id.end(), IsIdCharacter);
}

bool IsContinuation(char c) {
  return (static_cast<unsigned char>(c) & CONTINUATION_MASK) == CONTINUATION_BITS;
}

// The length of the control character at `at` in UTF-8 text, or 0 when there
// is none.
std::size_t ControlLength(std::string_view text, std::size_t at) {
  auto byte = static_cast<unsigned char>(text[at]);
  if (byte < FIRST_PRINTABLE || byte == DELETE_CHARACTER) {
    return 1;
  }
  if (byte == C1_LEAD && at + 1 < text.size()) {
    auto next = static_cast<unsigned char>(text[at + 1]);
    if (next >= C1_FIRST && next <= C1_LAST) {
      return 2;
    }
  }
  std::string_view rest = text.substr(at);
  if (rest.starts_with(LINE_SEPARATOR) || rest.starts_with(PARAGRAPH_SEPARATOR)) {
    return LINE_SEPARATOR.size();
  }
  return 0;
}

// The name with each control character a space.
std::string WithoutControls(std::string_view name) {
  std::string clean;
  for (std::size_t at = 0; at < name.size();) {
    std::size_t control = ControlLength(name, at);
    if (control > 0) {
      clean += ' ';
      at += control;
    } else {
      clean += name[at];
      ++at;
    }
  }
  return clean;
}

// The first `limit` characters (code points) of UTF-8 text.
std::string_view FirstCharacters(std::string_view text, std::size_t limit) {
  std::size_t characters = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (!IsContinuation(text[at]) && characters++ == limit) {
      return text.substr(0, at);
    }
  }
  return text;
}

// A date from FIRST_RECORD_YEAR to LAST_RECORD_YEAR, or nothing.
std::optional<CivilDate> RecordDate(std::string_view text) {
  std::optional<CivilDate> date = ParseIsoDate(text);
  if (!date || date->year < FIRST_RECORD_YEAR || date->year > LAST_RECORD_YEAR) {
    return std::nullopt;
  }
  return date;
}

// Whether a temperature text reads whole as the calculator's number.
bool ReadsWhole(std::string_view text) {
  return !text.empty() && NumberTextLength(text) == text.size();
}

bool IsTime(std::string_view text) {
  return ReadsWhole(text);
}

std::int64_t DaysBetween(CivilDate from, CivilDate to) {
  return DaysFromCivil(to) - DaysFromCivil(from);
}

// The door's work on one record: the verdicts it reached, and the words.
struct Judging {
  Source source;
  std::vector<std::string_view> before;  // the fields of the record before a typed change
  AtDoor result;
  // The hashes of the entries before a typed change in ascending order, and
  // where each entry stands among the fields of `before`.
  std::vector<std::int64_t> beforeHashes;
  std::vector<std::size_t> beforePlaces;
};

// Whether a field's value is new: typed, or read from a backup, rather than
// kept from before a typed change.
Source SourceOf(const Judging& judging, std::size_t field, std::string_view value) {
  if (judging.source == Source::Typed && field < judging.before.size() &&
      judging.before[field] == value) {
    return Source::Stored;
  }
  return judging.source;
}

// What the door says when it refuses a typed value, mends one, or has a card
// ask for one, rule by rule; "{value}" stands for the value, or for what the
// door gives it instead.
struct RuleWords {
  Rule rule;
  const char* refused;
  const char* mended;
  const char* asks;
};
constexpr RuleWords RULE_WORDS[] = {
    {Rule::Shape, RECORD_DAMAGED_TEXT, "", ""},
    {Rule::Id, RECORD_ID_TEXT, MEND_ID_FORMAT, ""},
    {Rule::NameControl, "", MEND_NAME_CONTROL_TEXT, ""},
    {Rule::NameLength, "", MEND_NAME_LENGTH_FORMAT, ""},
    {Rule::Time, "", MEND_TIME_TEXT, ""},
    {Rule::Laid, REFUSED_LAID_TEXT, "", ASKS_LAID_FORMAT},
    {Rule::Temperature, REFUSED_TEMPERATURE_FORMAT, "", ASKS_TEMPERATURE_FORMAT},
    {Rule::Hatched, HATCHED_DATE_OUTSIDE_TEXT, "", ASKS_HATCHED_FORMAT},
    {Rule::HatchedOutside, HATCHED_DATE_OUTSIDE_TEXT, "", ""},
    {Rule::EntryShape, RECORD_DAMAGED_TEXT, MEND_ENTRY_SHAPE_TEXT, ""},
    {Rule::EntryDate, LOG_DATE_OUTSIDE_TEXT, "", ""},
    {Rule::EntryTemperature, REFUSED_TEMPERATURE_FORMAT, "", ""},
    {Rule::EntryBeforeLaid, LOG_DATE_OUTSIDE_TEXT, "", ""},
    {Rule::EntryAfterToday, LOG_DATE_OUTSIDE_TEXT, "", ""},
    {Rule::EntryAfterTomorrow, LOG_DATE_OUTSIDE_TEXT, "", ""},
};

// Whether each row of a table of rules stands at its rule's place.
template <typename Table>
constexpr bool InRuleOrder(const Table& table) {
  for (std::size_t at = 0; at < std::size(table); ++at) {
    if (static_cast<std::size_t>(table[at].rule) != at) {
      return false;
    }
  }
  return std::size(table) == std::size(DOOR_RULES);
}
static_assert(InRuleOrder(DOOR_RULES) && InRuleOrder(RULE_WORDS),
              "the door's tables hold a row for each rule, in the rules' order");

// The words of `format` with "{value}" filled in, when it has the placeholder.
std::string Words(const char* format, std::string_view value) {
  return std::string_view(format).find("{value}") == std::string_view::npos
             ? std::string(format)
             : Formatted(format, {{"value", value}});
}

// Records that `rule` was broken by `value` from `source`, with the rule's
// words for a refusal, a mend or what the card asks for; gives the verdict.
Verdict Broken(Judging& judging, Rule rule, Source source, std::string_view value = {}) {
  Verdict verdict = VerdictOf(rule, source);
  const RuleWords& words = RULE_WORDS[static_cast<int>(rule)];
  AtDoor& result = judging.result;
  if (verdict == Verdict::Refused && result.passage == Passage::Kept) {
    result.passage = Passage::Refused;
    result.problem = Words(words.refused, value);
  } else if (verdict == Verdict::Mended) {
    result.mends += Words(words.mended, value);
  } else if (verdict == Verdict::Asks && result.asks.empty()) {
    result.asks = Words(words.asks, value);
  }
  return verdict;
}

// The text shown for a field that may not be text.
std::string_view Shown(std::string_view field) {
  return IsNotText(field) ? "" : field;
}

void JudgeId(Judging& judging, std::string_view id) {
  judging.result.record.id = std::string(id);
  std::string derived = DerivedId(id);
  if (!IsId(id) &&
      Broken(judging, Rule::Id, SourceOf(judging, ID, id), derived) == Verdict::Mended) {
    judging.result.record.id = derived;
  }
}

void JudgeName(Judging& judging, std::string_view name) {
  Source source = SourceOf(judging, NAME, name);
  std::string kept(Shown(name));
  std::string clean = WithoutControls(kept);
  if (clean != kept && Broken(judging, Rule::NameControl, source) == Verdict::Mended) {
    kept = clean;
  }
  std::string_view cut = FirstCharacters(kept, NAME_LENGTH_LIMIT);
  std::string limit = std::to_string(NAME_LENGTH_LIMIT);
  if (cut.size() < kept.size() &&
      Broken(judging, Rule::NameLength, source, limit) == Verdict::Mended) {
    kept = std::string(cut);
  }
  judging.result.record.name = kept;
}

void JudgeTime(Judging& judging, std::string_view updated) {
  judging.result.record.updated = std::string(updated);
  if (!IsTime(updated) &&
      Broken(judging, Rule::Time, SourceOf(judging, UPDATED, updated)) == Verdict::Mended) {
    judging.result.record.updated = OLDEST_TIME;
  }
}

// The laying date, when it reads.
std::optional<CivilDate> JudgeLaid(Judging& judging, std::string_view laid) {
  judging.result.record.laid = std::string(laid);
  std::optional<CivilDate> date = IsNotText(laid) ? std::nullopt : RecordDate(laid);
  if (!date) {
    Broken(judging, Rule::Laid, SourceOf(judging, LAID, laid), Shown(laid));
  }
  return date;
}

void JudgeTemperature(Judging& judging, std::string_view temperature) {
  judging.result.record.temperature = std::string(temperature);
  if (IsNotText(temperature) || !ReadsWhole(temperature)) {
    Broken(judging, Rule::Temperature, SourceOf(judging, TEMPERATURE, temperature),
           Shown(temperature));
  }
}

void JudgeHatched(Judging& judging, std::string_view hatched, std::optional<CivilDate> laid,
                  CivilDate today) {
  judging.result.record.hatched = IsNotText(hatched) ? "" : std::string(hatched);
  if (hatched.empty() || IsNotText(hatched)) {
    return;
  }
  Source source = SourceOf(judging, HATCHED, hatched);
  std::optional<CivilDate> date = RecordDate(hatched);
  if (!date) {
    Broken(judging, Rule::Hatched, source, hatched);
  } else if ((laid && DaysBetween(*laid, *date) < 0) || DaysBetween(today, *date) > 0) {
    Broken(judging, Rule::HatchedOutside, source);
  }
}

// A day entry as it stands in a row, with the day it falls on when its date reads.
struct Entry {
  RecordEntry texts;
  std::optional<std::int64_t> day;
};

// A day entry's fields hashed: equal entries hash alike.
std::int64_t EntryHash(std::span<const std::string_view> entry) {
  std::uint64_t hash = FNV_OFFSET_BASIS;
  for (std::string_view field : entry) {
    hash = Fnv1a(field, hash);
    hash = Fnv1a(std::string_view(&FIELD_SEPARATOR, 1), hash);
  }
  return static_cast<std::int64_t>(hash);
}

// The entries before a typed change, hashed and put in order, so that each
// entry of the change is looked up among them in log n.
void HashBefore(Judging& judging) {
  std::vector<std::int64_t> hashes;
  std::vector<std::size_t> places;
  const std::vector<std::string_view>& before = judging.before;
  for (std::size_t at = CLUTCH_FIELD_COUNT; at + ENTRY_FIELD_COUNT <= before.size();
       at += ENTRY_FIELD_COUNT) {
    hashes.push_back(EntryHash({before.data() + at, ENTRY_FIELD_COUNT}));
    places.push_back(at);
  }
  for (std::size_t place : InKeyOrder(hashes)) {
    judging.beforeHashes.push_back(hashes[place]);
    judging.beforePlaces.push_back(places[place]);
  }
}

// Whether the typed record's entry was there before the change.
bool WasThere(const Judging& judging, std::span<const std::string_view> entry) {
  const std::vector<std::int64_t>& hashes = judging.beforeHashes;
  std::int64_t hash = EntryHash(entry);
  for (auto at = std::lower_bound(hashes.begin(), hashes.end(), hash);
       at != hashes.end() && *at == hash; ++at) {
    auto fields = judging.before.begin() +
                  static_cast<std::ptrdiff_t>(judging.beforePlaces[at - hashes.begin()]);
    if (std::equal(entry.begin(), entry.end(), fields)) {
      return true;
    }
  }
  return false;
}

// The entry's verdicts, `laid` and `today` as day counts: nothing when it is
// left out of the log.
std::optional<Entry> JudgeEntry(Judging& judging, std::span<const std::string_view> fields,
                                std::size_t source, std::int64_t laid, std::int64_t today) {
  Source from = judging.source == Source::Typed && WasThere(judging, fields) ? Source::Stored
                                                                             : judging.source;
  if (std::any_of(fields.begin(), fields.begin() + ASIDE, IsNotText)) {
    Broken(judging, Rule::EntryShape, from);
    return std::nullopt;
  }
  Entry entry = {
      {source, std::string(fields[DATE]), std::string(fields[LOWEST]), std::string(fields[HIGHEST]),
       IsNotText(fields[ASIDE]) ? "" : std::string(fields[ASIDE])},
      std::nullopt};
  std::optional<CivilDate> date = RecordDate(fields[DATE]);
  if (!date) {
    Broken(judging, Rule::EntryDate, from);
    return entry;
  }
  std::int64_t day = DaysFromCivil(*date);
  entry.day = day;
  if (!ReadsWhole(fields[LOWEST]) || !ReadsWhole(fields[HIGHEST])) {
    Broken(judging, Rule::EntryTemperature, from,
           ReadsWhole(fields[LOWEST]) ? fields[HIGHEST] : fields[LOWEST]);
  } else if (day < laid) {
    Broken(judging, Rule::EntryBeforeLaid, from);
  } else if (day > today + 1) {
    Broken(judging, Rule::EntryAfterToday, from);
    if (Broken(judging, Rule::EntryAfterTomorrow, from) == Verdict::SetAside) {
      entry.texts.aside = ASIDE_AFTER_IMPORT;
    }
  } else if (day > today) {
    Broken(judging, Rule::EntryAfterToday, from);
  }
  return entry;
}

// The entries in date order, one a date (of two for one date the later), those
// whose date does not read after them in their order.
std::vector<RecordEntry> InDateOrder(std::vector<Entry> entries) {
  constexpr std::int64_t UNDATED = INT64_MAX;
  std::vector<std::int64_t> keys;
  keys.reserve(entries.size());
  for (const Entry& entry : entries) {
    keys.push_back(entry.day.value_or(UNDATED));
  }
  std::vector<std::size_t> order = InKeyOrder(keys);
  std::vector<RecordEntry> log;
  log.reserve(entries.size());
  for (std::size_t at = 0; at < order.size(); ++at) {
    Entry& entry = entries[order[at]];
    bool laterSameDay =
        entry.day && at + 1 < order.size() && entries[order[at + 1]].day == entry.day;
    if (!laterSameDay) {
      log.push_back(std::move(entry.texts));
    }
  }
  return log;
}

// Whether the door kept the record just as `fields` handed it over: nothing
// mended, and each of the `entries` in its place as it was.
bool AsHandedOver(const AtDoor& read, const std::vector<std::string_view>& fields,
                  std::size_t entries) {
  const Record& record = read.record;
  if (!read.mends.empty() || record.id != fields[ID] || record.name != fields[NAME] ||
      record.hatched != fields[HATCHED] || record.updated != fields[UPDATED] ||
      record.log.size() != entries) {
    return false;
  }
  for (std::size_t at = 0; at < entries; ++at) {
    if (record.log[at].source != at ||
        record.log[at].aside != fields[CLUTCH_FIELD_COUNT + at * ENTRY_FIELD_COUNT + ASIDE]) {
      return false;
    }
  }
  return true;
}

}  // namespace

Verdict VerdictOf(Rule rule, Source source) {
  const DoorRule& row = DOOR_RULES[static_cast<int>(rule)];
  return source == Source::Typed ? row.typed : source == Source::Stored ? row.stored : row.imported;
}

std::string DerivedId(std::string_view id) {
  std::uint64_t hash = Fnv1a(id, FNV_OFFSET_BASIS);
  std::string derived(DERIVED_ID_PREFIX);
  for (int digit = HEX_DIGITS - 1; digit >= 0; --digit) {
    derived += "0123456789abcdef"[(hash >> (digit * BITS_PER_HEX_DIGIT)) & HEX_DIGIT_MASK];
  }
  return derived;
}

AtDoor ThroughDoor(std::string_view row, Source source, CivilDate today, std::string_view before) {
  std::vector<std::string_view> fields = Split(row, FIELD_SEPARATOR);
  Judging judging = {
      source,
      before.empty() ? std::vector<std::string_view>{} : Split(before, FIELD_SEPARATOR),
      {Passage::Kept, "", "", "", {}},
      {},
      {}};
  HashBefore(judging);
  if (fields.size() < CLUTCH_FIELD_COUNT ||
      (fields.size() - CLUTCH_FIELD_COUNT) % ENTRY_FIELD_COUNT != 0 || IsNotText(fields[ID])) {
    if (Broken(judging, Rule::Shape, source) == Verdict::LeftOut) {
      judging.result = {Passage::LeftOut, RECORD_DAMAGED_TEXT, "", "", {}};
    }
    return judging.result;
  }
  JudgeId(judging, fields[ID]);
  JudgeName(judging, fields[NAME]);
  JudgeTime(judging, fields[UPDATED]);
  std::optional<CivilDate> laid = JudgeLaid(judging, fields[LAID]);
  JudgeTemperature(judging, fields[TEMPERATURE]);
  JudgeHatched(judging, fields[HATCHED], laid, today);
  // Without a laying date, no entry is before it.
  std::int64_t laidDay = laid ? DaysFromCivil(*laid) : INT64_MIN;
  std::vector<Entry> entries;
  entries.reserve((fields.size() - CLUTCH_FIELD_COUNT) / ENTRY_FIELD_COUNT);
  for (std::size_t at = CLUTCH_FIELD_COUNT; at < fields.size(); at += ENTRY_FIELD_COUNT) {
    std::span<const std::string_view> entryFields(fields.data() + at, ENTRY_FIELD_COUNT);
    std::size_t place = (at - CLUTCH_FIELD_COUNT) / ENTRY_FIELD_COUNT;
    std::optional<Entry> entry =
        JudgeEntry(judging, entryFields, place, laidDay, DaysFromCivil(today));
    if (entry) {
      entries.push_back(std::move(*entry));
    }
  }
  std::size_t handedOver = (fields.size() - CLUTCH_FIELD_COUNT) / ENTRY_FIELD_COUNT;
  judging.result.record.log = InDateOrder(std::move(entries));
  judging.result.same = AsHandedOver(judging.result, fields, handedOver);
  if (judging.result.passage != Passage::Kept) {
    judging.result.record = {};
    judging.result.mends.clear();
    judging.result.asks.clear();
  }
  return judging.result;
}

std::string DoorRow(const AtDoor& read) {
  static_assert(std::size(DOOR_FIELDS) == 5, "the door's row is its passage, three texts and same");
  return PASSAGE_NAMES[static_cast<int>(read.passage)] + std::string(1, FIELD_SEPARATOR) +
         read.problem + FIELD_SEPARATOR + read.mends + FIELD_SEPARATOR + read.asks +
         FIELD_SEPARATOR + (read.same ? "1" : "");
}

std::string KeptRow(const Record& record) {
  std::string row = record.id + FIELD_SEPARATOR + record.name + FIELD_SEPARATOR + record.laid +
                    FIELD_SEPARATOR + record.temperature + FIELD_SEPARATOR + record.hatched +
                    FIELD_SEPARATOR + record.updated;
  for (const RecordEntry& entry : record.log) {
    row += FIELD_SEPARATOR + std::to_string(entry.source) + FIELD_SEPARATOR + entry.date +
           FIELD_SEPARATOR + entry.lowest + FIELD_SEPARATOR + entry.highest + FIELD_SEPARATOR +
           entry.aside;
  }
  return row;
}

std::optional<Clutch> ClutchOf(const Record& record) {
  std::optional<CivilDate> laid = RecordDate(record.laid);
  std::optional<CivilDate> hatched = RecordDate(record.hatched);
  if (!laid || !ReadsWhole(record.temperature) || (!record.hatched.empty() && !hatched)) {
    return std::nullopt;
  }
  Clutch clutch = {record.id, record.name, *laid, DaysFromCivil(*laid), record.temperature, hatched,
                   {},        {},          {}};
  for (const RecordEntry& entry : record.log) {
    std::optional<CivilDate> date = RecordDate(entry.date);
    const char* why = !date ? ASIDE_DATE_TEXT
                      : !ReadsWhole(entry.lowest) || !ReadsWhole(entry.highest)
                          ? ASIDE_TEMPERATURE_TEXT
                      : !entry.aside.empty() ? ASIDE_AFTER_IMPORT_TEXT
                                             : nullptr;
    if (why) {
      clutch.aside.push_back({entry.source, entry.date, entry.lowest, entry.highest, why});
    } else {
      clutch.log.push_back({*date, entry.lowest, entry.highest, DaysFromCivil(*date),
                            ReadNumber(entry.lowest), ReadNumber(entry.highest)});
      clutch.sources.push_back(entry.source);
    }
  }
  return clutch;
}

std::optional<Clutch> StoredClutch(std::string_view row, CivilDate today) {
  AtDoor read = ThroughDoor(row, Source::Stored, today);
  return read.passage == Passage::Kept ? ClutchOf(read.record) : std::nullopt;
}

bool Counts(const Clutch& clutch, const LogEntry& entry) {
  return entry.day >= clutch.laidDay;
}
