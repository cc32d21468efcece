#include "web/notebook.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "web/page_calculation.h"

namespace {

constexpr CivilDate TODAY = {2026, 6, 10};

// A day entry as the page hands it over: a date, the lowest and the highest.
struct Day {
  CivilDate date;
  const char* lowest;
  const char* highest;
};

// A record as the page keeps it.
struct Kept {
  const char* id;
  const char* name;
  CivilDate laid;
  const char* temperature;
  std::optional<CivilDate> hatched;
  std::vector<Day> log;
};

Kept Laid(const char* name, CivilDate laid, const char* temperature, std::vector<Day> log = {},
          std::optional<CivilDate> hatched = std::nullopt) {
  return {"c-1", name, laid, temperature, hatched, std::move(log)};
}

// A record's row as the page hands it over: id, name, laid, temperature,
// hatched and the time of its last change, then each entry's date, lowest,
// highest and why it was set aside.
std::string RowOf(const Kept& record) {
  std::string row = std::string(record.id) + '\t' + record.name + '\t' + IsoDate(record.laid) +
                    '\t' + record.temperature + '\t' +
                    (record.hatched ? IsoDate(*record.hatched) : "") + "\t1";
  for (const Day& day : record.log) {
    row += '\t' + IsoDate(day.date) + '\t' + day.lowest + '\t' + day.highest + '\t';
  }
  return row;
}

// The records' rows (kept for the whole test run).
std::vector<std::string_view> Rows(const std::vector<Kept>& records) {
  static std::deque<std::string> kept;
  std::vector<std::string_view> rows;
  for (const Kept& record : records) {
    rows.push_back(kept.emplace_back(RowOf(record)));
  }
  return rows;
}

// The clutch of a record, read at the door as stored.
Clutch Read(const Kept& record) {
  return *ClutchOf(ThroughDoor(RowOf(record), Source::Stored, TODAY).record);
}

std::string Marked(const char* iso, const char* date, const char* weekday) {
  return DATE_MARK + std::string(iso) + DATE_TEXT_MARK + date + DATE_BREAK + weekday + DATE_MARK;
}

TEST(ViewNotebook, ListsLateClutchesFirstThenByHatchDateAndHatchedOnesLast) {
  const std::vector<Kept> clutches = {
      Laid("E", {2026, 5, 20}, "20", {}, CivilDate{2026, 5, 29}),
      Laid("D", {2026, 6, 1}, "20", {{{2026, 6, 1}, "4", "4"}, {{2026, 6, 3}, "4", "4"}}),
      Laid("C", {2026, 6, 5}, "20"),
      Laid("B", {2026, 6, 2}, "20"),
      Laid("A", {2026, 6, 1}, "20"),
      Laid("F", {2026, 6, 2}, "25"),
      // Hatched before it was laid, as 1.3.0 could keep it; a day entry
      // before a laying date corrected later.
      Laid("G", {2026, 6, 3}, "20", {{{2026, 6, 1}, "4", "4"}}, CivilDate{2026, 6, 2}),
      // A room of 17 to 23 degrees noted to today: the range from the coldest
      // and the warmest day (worked in the development table).
      Laid("H", {2026, 6, 8}, "20", {{{2026, 6, 9}, "17", "17"}, {{2026, 6, 10}, "25", "21"}}),
      // A temperature that does not read whole: the card asks for it.
      Laid("I", {2026, 6, 4}, "20,5"),
      // Without day entries, what the calculator says for the temperature:
      // far outside the estimate, a date after the year 9999, no development.
      Laid("J", {2026, 6, 2}, "3000"),
      Laid("K", {2026, 6, 9}, "5.45122"),
      Laid("L", {2026, 6, 3}, "4"),
  };
  struct Shown {
    const char* key;
    const char* group;
    std::string hatch;
    const char* state;
    const char* development;
    const char* share;
  };
  const Shown expected[] = {
      {"5", "late", Marked("2026-06-08", "6月8日", "（月）ごろ"), "孵化予定日を2日過ぎています。",
       "発育は100%を超えています。", "F　産卵日 6月2日・水温25℃・孵化予定日 6月8日（月）ごろ"},
      {"4", "late", Marked("2026-06-09", "6月9日", "（火）ごろ"), "孵化予定日を1日過ぎています。",
       "発育は100%を超えています。", "A　産卵日 6月1日・水温20℃・孵化予定日 6月9日（火）ごろ"},
      {"3", "today", Marked("2026-06-10", "6月10日", "（水）ごろ"), "今日が孵化予定日",
       "発育は100%を超えています。", "B　産卵日 6月2日・水温20℃・孵化予定日 6月10日（水）ごろ"},
      // 5.5 days at 0.1193 a day by today's midday.
      {"2", "ahead", Marked("2026-06-13", "6月13日", "（土）ごろ"), "あと3日", "発育65%",
       "C　産卵日 6月5日・水温20℃・孵化予定日 6月13日（土）ごろ"},
      // 0.1193 + 0.0947 + 0.1439 / 2 by today's midday.
      {"7", "ahead", Marked("2026-06-16", "6月16日", "（火）ごろ"), "あと6日", "発育28%",
       "H　産卵日 6月8日・水温20℃・孵化予定日 6月16日（火）ごろ"},
      {"10", "ahead", "9999年12月31日より後", "", "発育0%",
       "K　産卵日 6月9日・水温5.45122℃・孵化予定日 9999年12月31日より後"},
      // Cold on every recorded day: the pace is zero, and there is no date.
      {"1", "stopped", "", "直近の水温では発育が止まっているため、孵化予定日は出せません。",
       "発育0%", "D　産卵日 6月1日・水温20℃・発育が止まっています"},
      {"9", "stopped", "", "この水温は、この推定が当てはまる範囲から大きく外れています。", "",
       "J　産卵日 6月2日・水温3000℃・孵化予定日なし"},
      {"11", "stopped", "",
       "この水温では卵は発育しません。卵が発育するのは、水温が約5.45℃より高いときです"
       "（①の「約5℃」を詳しく書いた値です）。",
       "発育0%", "L　産卵日 6月3日・水温4℃・発育が止まっています"},
      {"8", "incomplete", "",
       "水温「20,"
       "5」が数として読めないため、孵化予定日を出せません。「記録を直す」で水温を入れてください。",
       "", ""},
      {"6", "hatched", Marked("2026-06-11", "6月11日", "（木）ごろ"),
       "孵化した日が6月2日（火）になっています。日付を確かめてください。", "",
       "G　産卵日 6月3日・水温20℃・孵化した日 6月2日（火）"},
      {"0", "hatched", Marked("2026-05-28", "5月28日", "（木）ごろ"),
       "孵化した日 5月29日（金）・予定との差＋1日", "",
       "E　産卵日 5月20日・水温20℃・孵化した日 5月29日（金）"},
  };
  NotebookView view = ViewNotebook(Rows(clutches), TODAY);
  ASSERT_EQ(view.clutches.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const ClutchView& shown = view.clutches[i];
    EXPECT_EQ(shown.key, expected[i].key) << i;
    EXPECT_EQ(shown.group, expected[i].group) << shown.key;
    EXPECT_EQ(shown.hatch, expected[i].hatch) << shown.key;
    EXPECT_EQ(shown.state, expected[i].state) << shown.key;
    EXPECT_EQ(shown.development, expected[i].development) << shown.key;
    EXPECT_EQ(shown.share, expected[i].share) << shown.key;
  }
  EXPECT_EQ(view.clutches[0].laid, Marked("2026-06-02", "2026年6月2日", "（火）"));
  EXPECT_EQ(view.clutches[0].temperature, "水温25℃");
  EXPECT_EQ(view.clutches[6].log, "日ごとの水温2日分（最新は6月3日の4℃）");
  EXPECT_EQ(view.clutches[10].log, "日ごとの水温（産卵日より前の1日分は数えていません）");
  auto shortDate = [](const char* iso, const char* date) {
    return DATE_MARK + std::string(iso) + DATE_TEXT_MARK + date + DATE_MARK;
  };
  EXPECT_EQ(view.clutches[4].range, "早ければ" + shortDate("2026-06-15", "6月15日") + "、遅ければ" +
                                        shortDate("2026-06-18", "6月18日"));
  // 25 and 21 typed in that order: 23 on average, and written lower first.
  EXPECT_EQ(view.clutches[4].log, "日ごとの水温2日分（最新は6月10日の21～25℃）");
  EXPECT_EQ(view.clutches[4].season, "最低17℃・最高25℃");
  EXPECT_EQ(view.clutches[10].season, "");  // its one entry is before laying
  EXPECT_EQ(view.clutches[10].range, "");   // hatched: no range, whatever its entries say
  EXPECT_EQ(view.clutches[4].assumes, "これからの日は直近7日の平均のペースで予想しています。");
  EXPECT_EQ(view.clutches[3].range, "");  // no entries
  EXPECT_EQ(view.clutches[3].due, "（6月13日・あと3日）");
  EXPECT_EQ(view.clutches[0].due, "（2日過ぎ）");
  EXPECT_EQ(view.clutches[2].due, "");  // today
  EXPECT_EQ(view.clutches[3].assumes, "これからの日も水温20℃として予想しています。");
  EXPECT_EQ(view.lesson, "");  // one hatched clutch teaches nothing yet
}

// Clutches laid 2026-06-01 at 20 degrees (hatch date 2026-06-09) that hatched
// that many days later or earlier, seen on 2026-06-20.
TEST(ViewNotebook, SaysHowMuchLaterOrEarlierThreeOrMoreHatchedClutchesHatched) {
  struct Case {
    std::vector<int> differences;
    const char* lesson;
  };
  constexpr CivilDate LESSON_DAY = {2026, 6, 20};
  const Case cases[] = {
      {{1, 2, -1}, "孵化した記録3件では、予定より平均0.7日遅く孵化しています（−1～＋2日）。"},
      {{-1, -1, 0, -2}, "孵化した記録4件では、予定より平均1.0日早く孵化しています（−2～0日）。"},
      {{1, -1, 0}, "孵化した記録3件では、平均して予定どおりに孵化しています（−1～＋1日）。"},
      {{1, 1}, ""},
      // The mean's tenths half up from the whole sum: 3 days over 20 is 0.15.
      {{1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
       "孵化した記録20件では、予定より平均0.2日遅く孵化しています（0～＋1日）。"},
      {{-1, -1, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
       "孵化した記録20件では、予定より平均0.2日早く孵化しています（−1～0日）。"},
      {{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
       "孵化した記録21件では、平均して予定どおりに孵化しています（0～＋1日）。"},
      // Hatched before laying or after today: the date is doubtful, and left out.
      {{1, 1, -9}, ""},
      {{1, 1, 20}, ""},
  };
  for (const auto& c : cases) {
    std::vector<Kept> clutches;
    for (int difference : c.differences) {
      clutches.push_back(Laid("x", {2026, 6, 1}, "20", {},
                              CivilFromDays(DaysFromCivil({2026, 6, 9}) + difference)));
    }
    EXPECT_EQ(ViewNotebook(Rows(clutches), LESSON_DAY).lesson, c.lesson) << c.differences.size();
  }
}

// One clutch on the edge of each of the card's rules, on 2026-06-03.
TEST(ViewNotebook, DrawsEachOfTheCardsLimitsWhereItLies) {
  constexpr CivilDate ON = {2026, 6, 3};
  // Laid 06-01 at 20 degrees, one cold day: the latest end, 2 + 0.7614 / c,
  // falls 365 days after today at 5.7056 degrees and 366 at 5.7049.
  auto coldDay = [](const char* temperature, std::optional<CivilDate> hatched = std::nullopt) {
    return Laid("A", {2026, 6, 1}, "20",
                {{{2026, 6, 2}, temperature, temperature}, {{2026, 6, 3}, "20", "20"}}, hatched);
  };
  // Rates of exactly 0.25 and 1: by noon of day 2, 0.25 + 0.25 + 1 / 2 = 1.
  const char* QUARTER = "35.93902439024391";
  const char* WHOLE = "127.40243902439022";
  auto shortDate = [](const char* iso, const char* date) {
    return DATE_MARK + std::string(iso) + DATE_TEXT_MARK + date + DATE_MARK;
  };
  struct Case {
    const char* what;
    Kept clutch;
    std::string ClutchView::*field;
    std::string shown;
  };
  const Case cases[] = {
      {"a range's end 365 days ahead", coldDay("5.7056"), &ClutchView::range,
       "早ければ" + shortDate("2026-06-10", "6月10日") + "、遅ければ" +
           shortDate("2027-06-03", "6月3日")},
      {"a range's end 366 days ahead", coldDay("5.7049"), &ClutchView::range,
       "早ければ" + shortDate("2026-06-10", "6月10日") + "、遅ければ1年より先"},
      {"a hatched clutch has no range", coldDay("5.7056", CivilDate{2026, 6, 3}),
       &ClutchView::range, ""},
      {"exactly the whole by noon",
       Laid("B", {2026, 6, 1}, QUARTER,
            {{{2026, 6, 2}, QUARTER, QUARTER}, {{2026, 6, 3}, WHOLE, WHOLE}}),
       &ClutchView::development, "発育100%"},
      // The hatch exactly half way through day 2: t = 2 + 0.5 / 1, up.
      {"exactly half a day",
       Laid("B", {2026, 6, 1}, QUARTER,
            {{{2026, 6, 2}, QUARTER, QUARTER}, {{2026, 6, 3}, WHOLE, WHOLE}}),
       &ClutchView::hatch, Marked("2026-06-04", "6月4日", "（木）ごろ")},
      // The calculator's period 9.5 days, though the daily rate sums to
      // 9.4999999905: the calculator's date.
      {"no entries: the calculator's date", Laid("C", {2026, 6, 1}, "18.28819"), &ClutchView::hatch,
       Marked("2026-06-11", "6月11日", "（木）ごろ")},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ViewNotebook(Rows({c.clutch}), ON).clutches[0].*c.field, c.shown) << c.what;
  }
}

TEST(NotebookCsv, WritesClutchesThenDayEntriesForASpreadsheet) {
  // The first hatches at t = 2 + (1 - 0.1193 - 0.1029) / 0.1070 = 9.27 days.
  const std::vector<Kept> clutches = {
      Laid("=A,1", {2026, 6, 1}, "20", {{{2026, 6, 2}, "18", "18"}, {{2026, 6, 3}, "15", "22"}}),
      Laid("B", {2026, 5, 20}, "20", {{{2026, 5, 19}, "9", "9"}}, CivilDate{2026, 5, 29}),
  };
  EXPECT_EQ(NotebookCsv(Rows(clutches), TODAY),
            "\xEF\xBB\xBF"
            "名前,産卵日,記録の水温,孵化予定日,孵化した日,発育%\r\n"
            "\"'=A,1\",2026-06-01,20,2026-06-10,,100\r\n"
            "B,2026-05-20,20,2026-05-28,2026-05-29,\r\n"
            "\r\n"
            "名前,日付,平均水温,最低水温,最高水温\r\n"
            "\"'=A,1\",2026-06-02,18,,\r\n"
            "\"'=A,1\",2026-06-03,,15,22\r\n");
}

TEST(ClutchEvent, PutsAnAllDayEventOnTheHatchDateWithAReminderTheEveningBefore) {
  // Made at 2026-06-10T03:15:07.250Z. The description's 75th octet is inside
  // "月", so its first line ends before it, at 73.
  constexpr double MADE_AT = 1781061307250.0;
  EXPECT_EQ(ClutchEvent(Read(Laid("A;3xy", {2026, 6, 5}, "20")), TODAY, MADE_AT),
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//EggPeriod//Notebook//JA\r\n"
            "BEGIN:VEVENT\r\nUID:c-1@eggperiod\r\nDTSTAMP:20260610T031507Z\r\n"
            "DTSTART;VALUE=DATE:20260613\r\nDTEND;VALUE=DATE:20260614\r\n"
            "SUMMARY:A\\;3xyの孵化予定日\r\n"
            "DESCRIPTION:A\\;3xy　産卵日 6月5日・水温20℃・孵化予定日 6\r\n 月13日（土）ごろ\r\n"
            "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:A\\;3xyの孵化予定日\r\n"
            "TRIGGER:-PT6H\r\nEND:VALARM\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
  EXPECT_EQ(ClutchEvent(Read(Laid("cold", {2026, 6, 5}, "4")), TODAY, MADE_AT), "");
  // A comma, a backslash and a line end escaped.
  EXPECT_NE(ClutchEvent(Read(Laid("A,3\\b", {2026, 6, 5}, "20")), TODAY, MADE_AT)
                .find("\r\nSUMMARY:A\\,3\\\\bの孵化予定日\r\n"),
            std::string::npos);
}

}  // namespace
