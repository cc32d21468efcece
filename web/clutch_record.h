// A clutch's record as the page keeps it, and the door every record passes,
// whether a person typed it, the browser's storage kept it or a backup brought
// it: one table says, rule by rule and source by source, whether a record
// that breaks the rule is refused, mended (and the mend said), kept with the
// part set aside (shown, deletable, not counted), kept with its card asking
// for the part, or left out. Only typing refuses; rules that depend on today
// apply to typing and import only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar.h"

// A record's texts as the page hands them over: one row whose first fields are
// named by CLUTCH_FIELDS, followed by each day entry as the fields ENTRY_FIELDS
// name. Dates are YYYY-MM-DD; a clutch not yet hatched has an empty "hatched";
// "updated" is the time of the last change in milliseconds; an entry's
// "aside" says why it was set aside when it was read (empty when it counts).
// A field the record does not hold as text crosses as NOT_TEXT_MARK.
inline constexpr const char* CLUTCH_FIELDS[] = {"id",          "name",    "laid",
                                                "temperature", "hatched", "updated"};
inline constexpr const char* ENTRY_FIELDS[] = {"date", "lowest", "highest", "aside"};
inline constexpr char NOT_TEXT_MARK = '\x1b';

// The longest id a clutch may have; an id is ASCII letters, digits and hyphens.
inline constexpr std::size_t ID_LENGTH_LIMIT = 64;
// The longest name, in characters (code points).
inline constexpr std::size_t NAME_LENGTH_LIMIT = 40;
// The years a laying date, a hatched date and a day entry may fall in.
inline constexpr int FIRST_RECORD_YEAR = 1900;
inline constexpr int LAST_RECORD_YEAR = 2200;
// The aside of an entry that a backup brought dated after the day after the
// import: it stays set aside after the import.
inline constexpr const char* ASIDE_AFTER_IMPORT = "after-import";

// Where a record comes from.
enum class Source { Typed, Stored, Imported };

// What the door does with a record that breaks a rule.
enum class Verdict {
  Kept,      // nothing: the record is kept as it is
  Refused,   // the change is not made, and the person told why
  Mended,    // the part is put right, and the mend said
  SetAside,  // the day entry is kept and shown, but not counted
  Asks,      // the record is kept, and its card asks for the part
  LeftOut,   // the record is no clutch's: stored, it is listed as one that cannot be
             // shown; from a backup, it is left out and named
};

// The rules, in the order of DOOR_RULES.
enum class Rule {
  Shape,              // the record is not shaped as a clutch's
  Id,                 // an id of other characters than letters, digits and hyphens, or too long
  NameControl,        // a control character in the name (C0, DEL, C1, line or paragraph
                      // separator): it becomes a space
  NameLength,         // a name of more than NAME_LENGTH_LIMIT characters: it is cut there
  Time,               // no time of the last change: it becomes 0, the oldest
  Laid,               // a laying date that is no date from FIRST_RECORD_YEAR to LAST_RECORD_YEAR
  Temperature,        // a temperature that does not read whole as a number
  Hatched,            // a hatched date that is no such date
  HatchedOutside,     // a hatched date before laying or after today: shown as doubtful
  EntryShape,         // a day entry that is not shaped as one: it is left out of the log
  EntryDate,          // a day entry's date that is no such date
  EntryTemperature,   // a day entry's temperature that does not read whole
  EntryBeforeLaid,    // a day entry before the laying date: kept, not counted
  EntryAfterToday,    // a day entry after today
  EntryAfterTomorrow  // a day entry after the day after today
};

// A rule's verdict for a record typed, stored and imported.
struct DoorRule {
  Rule rule;
  Verdict typed;
  Verdict stored;
  Verdict imported;
};

inline constexpr DoorRule DOOR_RULES[] = {
    {Rule::Shape, Verdict::Refused, Verdict::LeftOut, Verdict::LeftOut},
    {Rule::Id, Verdict::Refused, Verdict::Mended, Verdict::Mended},
    {Rule::NameControl, Verdict::Mended, Verdict::Mended, Verdict::Mended},
    {Rule::NameLength, Verdict::Mended, Verdict::Mended, Verdict::Mended},
    {Rule::Time, Verdict::Mended, Verdict::Mended, Verdict::Mended},
    {Rule::Laid, Verdict::Refused, Verdict::Asks, Verdict::Asks},
    {Rule::Temperature, Verdict::Refused, Verdict::Asks, Verdict::Asks},
    {Rule::Hatched, Verdict::Refused, Verdict::Asks, Verdict::Asks},
    {Rule::HatchedOutside, Verdict::Refused, Verdict::Kept, Verdict::Kept},
    {Rule::EntryShape, Verdict::Refused, Verdict::Mended, Verdict::Mended},
    {Rule::EntryDate, Verdict::Refused, Verdict::SetAside, Verdict::SetAside},
    {Rule::EntryTemperature, Verdict::Refused, Verdict::SetAside, Verdict::SetAside},
    {Rule::EntryBeforeLaid, Verdict::Refused, Verdict::SetAside, Verdict::SetAside},
    {Rule::EntryAfterToday, Verdict::Refused, Verdict::Kept, Verdict::Kept},
    {Rule::EntryAfterTomorrow, Verdict::Refused, Verdict::Kept, Verdict::SetAside},
};

// The verdict of `rule` for a record from `source`.
Verdict VerdictOf(Rule rule, Source source);

// A day entry's texts as kept: `source` is its place among the entries the
// row handed over.
struct RecordEntry {
  std::size_t source;
  std::string date;
  std::string lowest;
  std::string highest;
  std::string aside;
};

// A record's texts as kept.
struct Record {
  std::string id;
  std::string name;
  std::string laid;
  std::string temperature;
  std::string hatched;
  std::string updated;
  std::vector<RecordEntry> log;
};

// What the door did with a record.
enum class Passage { Kept, Refused, LeftOut };

struct AtDoor {
  Passage passage;
  std::string problem;  // why it was refused or left out, in words
  std::string mends;    // what was mended, in words (sentences), or empty
  std::string asks;     // what its card asks for, or empty
  Record record;        // as kept, when it was
  bool same = false;    // kept just as it was handed over, every entry in its place
};

// Where a record comes from, and what the door did, as the page names them.
inline constexpr const char* SOURCE_NAMES[] = {"typed", "stored", "imported"};
inline constexpr const char* PASSAGE_NAMES[] = {"kept", "refused", "left-out"};

// What the door did with a record, as one row of these fields; "same" is "1"
// for a record kept just as it was handed over, and empty otherwise.
inline constexpr const char* DOOR_FIELDS[] = {"passage", "problem", "mends", "asks", "same"};
std::string DoorRow(const AtDoor& read);

// `row` through the door on `today`. A typed record is judged as typed only
// in what differs from `before`, the row of the record before the change
// (empty for a new one): what was stored already is judged as stored. A kept
// record's day entries are in date order, one a date (of two for one date the
// later), those whose date cannot be read after them in their order.
AtDoor ThroughDoor(std::string_view row, Source source, CivilDate today,
                   std::string_view before = {});

// The row of a kept record: the fields of CLUTCH_FIELDS, then each day entry
// as the fields of KEPT_ENTRY_FIELDS.
inline constexpr const char* KEPT_ENTRY_FIELDS[] = {"source", "date", "lowest", "highest", "aside"};
std::string KeptRow(const Record& record);

// A clutch as the notebook works it out: a kept record that asks for nothing.
// A day entry's temperatures as written and as read, and its date as a day
// count (days from 1970-01-01).
struct LogEntry {
  CivilDate date;
  std::string lowest;
  std::string highest;
  std::int64_t day = 0;
  double low = 0.0;
  double high = 0.0;
};
// A day entry set aside: shown as it was written, with why in words, and not
// counted.
struct AsideEntry {
  std::size_t source;
  std::string date;
  std::string lowest;
  std::string highest;
  std::string why;
};
struct Clutch {
  std::string id;
  std::string name;
  CivilDate laid;
  std::int64_t laidDay;     // days from 1970-01-01
  std::string temperature;  // reads whole: "20"
  std::optional<CivilDate> hatched;
  std::vector<LogEntry> log;         // in date order, one a date; those before laying not counted
  std::vector<std::size_t> sources;  // each entry's place in the record's log
  std::vector<AsideEntry> aside;
};

// The clutch of a kept record, or nothing when its card asks for a part.
std::optional<Clutch> ClutchOf(const Record& record);

// The clutch of a stored record's row on `today`, when the door keeps the
// record and it can be worked out; otherwise nothing.
std::optional<Clutch> StoredClutch(std::string_view row, CivilDate today);

// Whether a day entry counts: none before the laying date does.
bool Counts(const Clutch& clutch, const LogEntry& entry);

// The id a record whose id breaks the id rule is given: derived from the old
// one, so the same old id always gives the same new one.
std::string DerivedId(std::string_view id);
