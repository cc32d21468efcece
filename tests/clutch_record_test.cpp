#include "web/clutch_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "web/page_format.h"

namespace {

constexpr CivilDate TODAY = {2026, 6, 10};
const std::string NOT_TEXT(1, NOT_TEXT_MARK);

// A day entry's fields as the page hands them over.
struct Fields {
  std::string date;
  std::string lowest;
  std::string highest;
  std::string aside = "";
};

// A record's row as the page hands it over; by default a clutch laid on
// 2026-06-01 at 20 degrees.
struct Texts {
  std::string id = "c-1";
  std::string name = "A";
  std::string laid = "2026-06-01";
  std::string temperature = "20";
  std::string hatched = "";
  std::string updated = "5";
  std::vector<Fields> log = {};
};

std::string RowOf(const Texts& record) {
  std::string row = record.id + '\t' + record.name + '\t' + record.laid + '\t' +
                    record.temperature + '\t' + record.hatched + '\t' + record.updated;
  for (const Fields& entry : record.log) {
    row += '\t' + entry.date + '\t' + entry.lowest + '\t' + entry.highest + '\t' + entry.aside;
  }
  return row;
}

// What the door gives: its passage, the problem, the mends, what the card asks
// for, and the row as kept.
struct Expected {
  Passage passage;
  std::string problem;
  std::string mends;
  std::string asks;
  std::string kept;
};

struct Case {
  const char* what;
  Source source;
  Texts record;
  Expected expected;
  Texts before = {};  // the record before a typed change, when it was one
  bool changed = false;
};

void Check(const Case& c) {
  AtDoor read = ThroughDoor(RowOf(c.record), c.source, TODAY, c.changed ? RowOf(c.before) : "");
  EXPECT_EQ(read.passage, c.expected.passage) << c.what;
  EXPECT_EQ(read.problem, c.expected.problem) << c.what;
  EXPECT_EQ(read.mends, c.expected.mends) << c.what;
  EXPECT_EQ(read.asks, c.expected.asks) << c.what;
  EXPECT_EQ(read.passage == Passage::Kept ? KeptRow(read.record) : "", c.expected.kept) << c.what;
}

// Kept as `kept`, with the mends said and what its card asks for.
Expected KeptAs(std::string kept, std::string mends = "", std::string asks = "") {
  return {Passage::Kept, "", std::move(mends), std::move(asks), std::move(kept)};
}

Expected RefusedWith(std::string problem) {
  return {Passage::Refused, std::move(problem), "", "", ""};
}

const Expected LEFT_OUT = {Passage::LeftOut, "記録の形が正しくありません", "", "", ""};
const std::string KEPT_CLUTCH = "c-1\tA\t2026-06-01\t20\t\t5";
const std::string ID_MENDED = "IDに使えない文字があるか、IDが長すぎたため、IDを";
const std::string NAME_MENDED = "名前の中の改行などの制御文字を空白にしました。";
const std::string DATE_OUTSIDE = "日付は産卵日から今日までの日にしてください。";
const std::string HATCHED_OUTSIDE = "孵化した日は産卵日から今日までの日にしてください。";
const std::string UNREAD = "読めないため、孵化予定日を出せません。「記録を直す」で";

// One rule at a time, typed, stored and imported: refused only when typed.
TEST(ThroughDoor, RefusesOnlyWhatIsTypedAndKeepsEveryStoredAndImportedClutch) {
  const Case cases[] = {
      {"a clutch as it should be", Source::Stored, {}, KeptAs(KEPT_CLUTCH)},
      // The id: a new one derived from the old, the same each time.
      {"an id with a space",
       Source::Stored,
       {.id = "a b"},
       KeptAs("m-e63f991904833892\tA\t2026-06-01\t20\t\t5",
              ID_MENDED + "m-e63f991904833892にしました。")},
      {"an id of 65 characters",
       Source::Imported,
       {.id = std::string(65, 'a')},
       KeptAs("m-8087e9a889f8a14c\tA\t2026-06-01\t20\t\t5",
              ID_MENDED + "m-8087e9a889f8a14cにしました。")},
      // The name: control characters become spaces; at most 40 characters,
      // a character of four bytes never split.
      {"a name with a line separator",
       Source::Stored,
       {.name = "A\u2028B"},
       KeptAs("c-1\tA B\t2026-06-01\t20\t\t5", NAME_MENDED)},
      {"a name with C1 controls",
       Source::Imported,
       {.name = "A\u0085B\u009b"},
       KeptAs("c-1\tA B \t2026-06-01\t20\t\t5", NAME_MENDED)},
      {"a name with DEL, typed",
       Source::Typed,
       {.name = "A\x7f"},
       KeptAs("c-1\tA \t2026-06-01\t20\t\t5", NAME_MENDED)},
      {"a name of 41 characters, the 40th of four bytes",
       Source::Typed,
       {.name = std::string(39, 'x') + "\U0001F41E" + "z"},
       KeptAs("c-1\t" + std::string(39, 'x') + "\U0001F41E\t2026-06-01\t20\t\t5",
              "名前が長すぎたため、先頭の40文字にしました。")},
      {"a name of 40 characters",
       Source::Stored,
       {.name = std::string(40, 'x')},
       KeptAs("c-1\t" + std::string(40, 'x') + "\t2026-06-01\t20\t\t5")},
      {"no time of the last change",
       Source::Imported,
       {.updated = NOT_TEXT},
       KeptAs("c-1\tA\t2026-06-01\t20\t\t0",
              "変更した日時がなかったため、いちばん古い記録として扱います。")},
      // A laying date, temperature or hatched date that cannot be read: the
      // card asks for it.
      {"a laying date not in the calendar",
       Source::Stored,
       {.laid = "2026-02-30"},
       KeptAs("c-1\tA\t2026-02-30\t20\t\t5", "",
              "産卵日「2026-02-30」が" + UNREAD + "産卵日を入れてください。")},
      {"a laying date before 1900, typed",
       Source::Typed,
       {.laid = "1899-12-31"},
       RefusedWith("産卵日は1900年から2200年までの日にしてください。")},
      {"a laying date after 2200, imported",
       Source::Imported,
       {.laid = "2201-01-01"},
       KeptAs("c-1\tA\t2201-01-01\t20\t\t5", "",
              "産卵日「2201-01-01」が" + UNREAD + "産卵日を入れてください。")},
      {"a temperature with a comma, imported",
       Source::Imported,
       {.temperature = "20,5"},
       KeptAs("c-1\tA\t2026-06-01\t20,5\t\t5", "",
              "水温「20,5」が数として" + UNREAD + "水温を入れてください。")},
      {"a temperature in exponent form, typed",
       Source::Typed,
       {.temperature = "1.5e1"},
       RefusedWith("水温の「1.5e1」には数として読めない文字があります。数だけを入れてください。")},
      {"a hatched date not in the calendar",
       Source::Imported,
       {.hatched = "2026-06-31"},
       KeptAs("c-1\tA\t2026-06-01\t20\t2026-06-31\t5", "",
              "孵化した日「2026-06-31」が読めません。「孵化」で孵化した日を入れ直してください。")},
      // A hatched date after today or before laying: shown as doubtful.
      {"hatched after today, stored",
       Source::Stored,
       {.hatched = "2026-06-11"},
       KeptAs("c-1\tA\t2026-06-01\t20\t2026-06-11\t5")},
      {"hatched after today, typed",
       Source::Typed,
       {.hatched = "2026-06-11"},
       RefusedWith(HATCHED_OUTSIDE)},
      {"hatched before laying, typed",
       Source::Typed,
       {.hatched = "2026-05-31"},
       RefusedWith(HATCHED_OUTSIDE)},
      // A record that is no clutch's.
      {"a clutch with one entry",
       Source::Stored,
       {.log = {{"2026-06-02", "20", "20"}}},
       KeptAs(KEPT_CLUTCH + "\t0\t2026-06-02\t20\t20\t")},
      {"an id that is no text", Source::Imported, {.id = NOT_TEXT}, LEFT_OUT},
      {"an id that is no text, stored", Source::Stored, {.id = NOT_TEXT}, LEFT_OUT},
  };
  for (const Case& c : cases) {
    Check(c);
  }
  EXPECT_EQ(ThroughDoor("c-1\tA\t2026-06-01", Source::Imported, TODAY).passage, Passage::LeftOut);
  EXPECT_EQ(ThroughDoor("", Source::Stored, TODAY).problem, "記録の形が正しくありません");
}

TEST(ThroughDoor, KeepsDayEntriesInDateOrderOneADateAndSetsAsideWhatCannotCount) {
  const Case cases[] = {
      // Out of order, one date twice: in order, the later of the two.
      {"entries out of order",
       Source::Stored,
       {.log = {{"2026-06-04", "18", "18"},
                {"2026-06-02", "20", "20"},
                {"2026-06-04", "15", "22"},
                {"2026-06-03", "19", "19"}}},
       KeptAs(KEPT_CLUTCH +
              "\t1\t2026-06-02\t20\t20\t\t3\t2026-06-03\t19\t19\t\t2\t2026-06-04\t15\t22\t")},
      // Kept where they stand, after the dated ones: shown, not counted.
      {"a date not in the calendar and one from the year 1",
       Source::Stored,
       {.log = {{"2026-11-31", "20", "20"}, {"2026-06-02", "20", "20"}, {"0001-01-01", "5", "5"}}},
       KeptAs(KEPT_CLUTCH +
              "\t1\t2026-06-02\t20\t20\t\t0\t2026-11-31\t20\t20\t\t2\t0001-01-01\t5\t5\t")},
      {"a temperature that does not read whole, imported",
       Source::Imported,
       {.log = {{"2026-06-02", "20,5", "20,5"}}},
       KeptAs(KEPT_CLUTCH + "\t0\t2026-06-02\t20,5\t20,5\t")},
      {"an entry that is no entry",
       Source::Stored,
       {.log = {{NOT_TEXT, NOT_TEXT, NOT_TEXT, NOT_TEXT}, {"2026-06-02", "20", "20"}}},
       KeptAs(KEPT_CLUTCH + "\t1\t2026-06-02\t20\t20\t",
              "形の正しくない日ごとの水温を除きました。")},
      // After today: typing refuses it; a backup's entry after tomorrow is set
      // aside for good; one kept already is kept.
      {"an entry the day after tomorrow, imported",
       Source::Imported,
       {.log = {{"2026-06-12", "20", "20"}, {"2026-06-11", "20", "20"}}},
       KeptAs(KEPT_CLUTCH + "\t1\t2026-06-11\t20\t20\t\t0\t2026-06-12\t20\t20\tafter-import")},
      {"an entry the day after tomorrow, stored",
       Source::Stored,
       {.log = {{"2026-06-12", "20", "20"}}},
       KeptAs(KEPT_CLUTCH + "\t0\t2026-06-12\t20\t20\t")},
      {"an entry tomorrow, typed",
       Source::Typed,
       {.log = {{"2026-06-11", "20", "20"}}},
       RefusedWith(DATE_OUTSIDE)},
      {"an entry before laying, typed",
       Source::Typed,
       {.log = {{"2026-05-31", "20", "20"}}},
       RefusedWith(DATE_OUTSIDE)},
      {"an entry before laying, stored",
       Source::Stored,
       {.log = {{"2026-05-31", "20", "20"}}},
       KeptAs(KEPT_CLUTCH + "\t0\t2026-05-31\t20\t20\t")},
      {"an entry that does not read whole, typed",
       Source::Typed,
       {.log = {{"2026-06-02", "20", "20度"}}},
       RefusedWith("水温の「20度」には数として読めない文字があります。数だけを入れてください。")},
      // A typed change is judged as typed only in what it changed.
      {"a day added to a clutch with an entry set aside",
       Source::Typed,
       {.log = {{"2026-11-31", "20", "20"}, {"2026-06-02", "18", "18"}}},
       KeptAs(KEPT_CLUTCH + "\t1\t2026-06-02\t18\t18\t\t0\t2026-11-31\t20\t20\t"),
       {.log = {{"2026-11-31", "20", "20"}}},
       true},
      {"a name corrected on a clutch whose temperature cannot be read",
       Source::Typed,
       {.name = "B", .temperature = "20,5"},
       KeptAs("c-1\tB\t2026-06-01\t20,5\t\t5", "",
              "水温「20,5」が数として" + UNREAD + "水温を入れてください。"),
       {.temperature = "20,5"},
       true},
  };
  for (const Case& c : cases) {
    Check(c);
  }
}

TEST(ThroughDoor, SaysWhenItKeptARecordJustAsItWasHandedOver) {
  struct Case {
    const char* what;
    Source source;
    Texts record;
    bool same;
  };
  const Case cases[] = {
      {"a clutch as it should be",
       Source::Stored,
       {.log = {{"2026-06-02", "20", "20"}, {"2026-11-31", "18", "18"}}},
       true},
      {"a clutch whose card asks for its laying date",
       Source::Stored,
       {.laid = "2026-02-30"},
       true},
      {"entries out of order",
       Source::Stored,
       {.log = {{"2026-06-03", "20", "20"}, {"2026-06-02", "18", "18"}}},
       false},
      {"one date twice",
       Source::Stored,
       {.log = {{"2026-06-02", "20", "20"}, {"2026-06-02", "18", "18"}}},
       false},
      {"a mended name", Source::Stored, {.name = "A\nB"}, false},
      {"no hatched date as text", Source::Stored, {.hatched = NOT_TEXT}, false},
      {"an entry set aside by the import",
       Source::Imported,
       {.log = {{"2026-06-12", "20", "20"}}},
       false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ThroughDoor(RowOf(c.record), c.source, TODAY).same, c.same) << c.what;
  }
}

TEST(ClutchOf, CountsTheEntriesThatReadAndSetsAsideTheOthersWithWhy) {
  AtDoor read = ThroughDoor(RowOf({.log = {{"2026-06-12", "20", "20"},
                                           {"2026-11-31", "18", "18"},
                                           {"2026-06-02", "20,5", "20,5"},
                                           {"2026-06-03", "17", "23"}}}),
                            Source::Imported, TODAY);
  std::optional<Clutch> clutch = ClutchOf(read.record);
  ASSERT_TRUE(clutch);
  ASSERT_EQ(clutch->log.size(), 1u);
  EXPECT_EQ(clutch->log[0].date, (CivilDate{2026, 6, 3}));
  EXPECT_EQ(clutch->sources, std::vector<std::size_t>{3});
  struct Aside {
    std::size_t source;
    const char* date;
    const char* why;
  };
  const Aside expected[] = {
      {2, "2026-06-02", "（水温が数として読めないため数えていません）"},
      {0, "2026-06-12", "（読み込んだときに先の日付だったため数えていません）"},
      {1, "2026-11-31", "（日付が読めないため数えていません）"},
  };
  ASSERT_EQ(clutch->aside.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(clutch->aside[i].source, expected[i].source) << i;
    EXPECT_EQ(clutch->aside[i].date, expected[i].date) << i;
    EXPECT_EQ(clutch->aside[i].why, expected[i].why) << i;
  }
  EXPECT_FALSE(ClutchOf(ThroughDoor(RowOf({.laid = "2026-02-30"}), Source::Stored, TODAY).record));
}

TEST(ThroughDoor, ReadsAHundredThousandEntriesInReverseOrder) {
  Texts record;
  for (int day = 0; day < 100000; ++day) {
    record.log.push_back({IsoDate(CivilFromDays(DaysFromCivil({2200, 12, 31}) - day)), "20", "20"});
  }
  AtDoor read = ThroughDoor(RowOf(record), Source::Stored, TODAY);
  ASSERT_EQ(read.record.log.size(), 100000u);
  EXPECT_EQ(read.record.log.front().date, "1927-03-19");
  EXPECT_EQ(read.record.log.back().date, "2200-12-31");
}

}  // namespace
