#include "web/page_calculation.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

const std::optional<CivilDate> NO_DATE;
constexpr CivilDate JUNE_1 = {2026, 6, 1};
constexpr CivilDate JUNE_5 = {2026, 6, 5};  // today in most rows
const char* const AT_20_DEGREES = "8.38222980499268";
const char* const AT_0_DEGREES = "-22.3713645935059";
const char* const NO_DEVELOPMENT =
    "この水温では卵は発育しません。卵が発育するのは、水温が約5.45℃より高いときです"
    "（①の「約5℃」を詳しく書いた値です）。";
const char* const UNREADABLE =
    "入力を数として読めないため、0℃として計算しました。水温は数字で入力してください（例：20、"
    "12.75）。";
const char* const LATEST_UNKNOWN =
    "水温が約5.45℃以下のあいだは発育が止まるので、遅いほうの日付は出せません。";

// A date as the page receives it: marked, with its ISO form, then its pieces
// (the date, the weekday, how far it is from today) with a break between.
std::string Marked(const char* iso, const char* date, const char* weekday,
                   const char* fromToday = nullptr) {
  std::string words = std::string(date) + DATE_BREAK + weekday;
  if (fromToday) {
    words += DATE_BREAK + std::string(fromToday);
  }
  return DATE_MARK + std::string(iso) + DATE_TEXT_MARK + words + DATE_MARK;
}

const std::string JUNE_9 = Marked("2026-06-09", "2026年6月9日", "（火）ごろ", "（あと4日）");
const std::string JUNE_8 = Marked("2026-06-08", "2026年6月8日", "（月）ごろ", "（あと3日）");
const std::string JUNE_11 = Marked("2026-06-11", "2026年6月11日", "（木）ごろ", "（あと6日）");

struct PageCase {
  const char* temperature;
  std::optional<CivilDate> laid;
  std::optional<CivilDate> today;
  const char* lowest;
  const char* highest;
  PageResult shown;
};

void ExpectShown(const std::vector<PageCase>& cases) {
  for (const auto& c : cases) {
    PageResult shown = CalculatePageResult(c.temperature, c.laid, c.today, c.lowest, c.highest);
    std::string row =
        std::string("\"") + c.temperature + "\" \"" + c.lowest + "\" \"" + c.highest + '"';
    EXPECT_EQ(shown.period, c.shown.period) << row;
    EXPECT_EQ(shown.words, c.shown.words) << row;
    EXPECT_EQ(shown.note, c.shown.note) << row;
    EXPECT_EQ(shown.hatch, c.shown.hatch) << row;
    EXPECT_EQ(shown.range, c.shown.range) << row;
  }
}

TEST(CalculatePageResult, ReadsThePeriodInWordsAndSaysHowTheTextWasRead) {
  ExpectShown({
      {"20", JUNE_1, JUNE_5, "", "", {AT_20_DEGREES, "約8.4日", "", JUNE_9, ""}},
      // A period of exactly 8.25 days rounds half up.
      {"20.233185", JUNE_1, JUNE_5, "", "", {"8.25", "約8.3日", "", JUNE_9, ""}},
      {"5.5",
       JUNE_1,
       JUNE_5,
       "",
       "",
       {"2500", "約2,500日（約6.8年）", "",
        Marked("2033-04-05", "2033年4月5日", "（火）ごろ", "（あと2496日）"), ""}},
      {"5.4513",
       JUNE_1,
       JUNE_5,
       "",
       "",
       {"1515151.5", "約1,515,152日（約4,148.3年）", "",
        Marked("6174-10-05", "6174年10月5日", "（水）ごろ", "（あと1515148日）"), ""}},
      {"35",
       JUNE_1,
       JUNE_5,
       "",
       "",
       {"4.12711524963379", "約4.1日", "30℃を超える水温です。②のとおり、生存率は考慮していません。",
        Marked("2026-06-05", "2026年6月5日", "（金）ごろ", "（今日）"), ""}},
      {"20abc",
       JUNE_1,
       JUNE_5,
       "",
       "",
       {AT_20_DEGREES, "約8.4日", "入力の先頭の「20」だけを数として読み、20℃として計算しました。",
        JUNE_9, ""}},
      // Nothing readable: the note says so, and nothing is said of 0 degrees.
      {"",
       JUNE_1,
       JUNE_5,
       "",
       "",
       {AT_0_DEGREES, "", "水温が入力されていないため、0℃として計算しました。", "", ""}},
      {"abc", JUNE_1, JUNE_5, "", "", {AT_0_DEGREES, "", UNREADABLE, "", ""}},
      // At or below the threshold, however far.
      {"4", JUNE_1, JUNE_5, "", "", {"-84.0336151123047", "", NO_DEVELOPMENT, "", ""}},
      {"-2500", JUNE_1, JUNE_5, "", "", {"-0.0486743524670601", "", NO_DEVELOPMENT, "", ""}},
      {"1000000000000000000000000000000000000000000000000",
       JUNE_1,
       JUNE_5,
       "",
       "",
       {"0", "", "この水温は、この推定が当てはまる範囲から大きく外れています。", "", ""}},
  });
}

TEST(CalculatePageResult, GivesTheHatchDateFromTheLayingDateAndToday) {
  ExpectShown({
      {"20",
       NO_DATE,
       JUNE_5,
       "",
       "",
       {AT_20_DEGREES, "約8.4日", "", "産卵日を入れると、孵化予定日を表示します。", ""}},
      {"20",
       JUNE_1,
       NO_DATE,
       "",
       "",
       {AT_20_DEGREES, "約8.4日", "", Marked("2026-06-09", "2026年6月9日", "（火）ごろ"), ""}},
      {"20",
       CivilDate{2026, 5, 25},
       JUNE_5,
       "",
       "",
       {AT_20_DEGREES, "約8.4日", "",
        Marked("2026-06-02", "2026年6月2日", "（火）ごろ", "（3日前）"), ""}},
  });
}

TEST(CalculatePageResult, GivesTheHatchRangeOrSaysWhyNot) {
  const PageResult twenty = {AT_20_DEGREES, "約8.4日", "", JUNE_9, ""};
  auto withRange = [&twenty](std::string range) {
    PageResult shown = twenty;
    shown.range = std::move(range);
    return shown;
  };
  ExpectShown({
      {"20", JUNE_1, JUNE_5, "18", "23",
       withRange("水温が18～23℃のあいだなら、早ければ" + JUNE_8 + "、遅ければ" + JUNE_11 +
                 "に孵化する見込みです。")},
      // Either field may hold the higher temperature.
      {"20", JUNE_1, JUNE_5, "23", "18",
       withRange("水温が18～23℃のあいだなら、早ければ" + JUNE_8 + "、遅ければ" + JUNE_11 +
                 "に孵化する見込みです。")},
      {"20", JUNE_1, JUNE_5, "18", "23℃",
       withRange("水温が18～23℃のあいだなら、早ければ" + JUNE_8 + "、遅ければ" + JUNE_11 +
                 "に孵化する見込みです。「最高水温（℃）」は、入力の先頭の「23」だけを数として"
                 "読み、23℃としました。")},
      // The lower temperature at or below the threshold, however far.
      {"20", JUNE_1, JUNE_5, "4", "23",
       withRange("水温が4～23℃のあいだなら、早ければ" + JUNE_8 + "に孵化する見込みです。" +
                 LATEST_UNKNOWN)},
      {"20", JUNE_1, JUNE_5, "-2500", "20",
       withRange("水温が-2500～20℃のあいだなら、早ければ" + JUNE_9 + "に孵化する見込みです。" +
                 LATEST_UNKNOWN)},
      {"20", JUNE_1, JUNE_5, "4", "5",
       withRange("水温が4～5℃では、卵は発育しません。卵が発育するのは、水温が約5.45℃より高い"
                 "ときです。")},
      {"20", JUNE_1, JUNE_5, "3000", "4000",
       withRange("水温が3000～4000℃では、この推定が当てはまる範囲から大きく外れています。")},
      {"20", JUNE_1, JUNE_5, "18", "二十三",
       withRange("「最高水温（℃）」の入力を数として読めないため、孵化予定日の幅は出せません。"
                 "数字で入力してください（例：18、23.5）。")},
      {"20", JUNE_1, JUNE_5, "18", "",
       withRange("最低水温と最高水温の両方を入れると、孵化がいちばん早い日と遅い日を表示します。")},
      {"20",
       NO_DATE,
       JUNE_5,
       "18",
       "23",
       {AT_20_DEGREES, "約8.4日", "", "産卵日を入れると、孵化予定日を表示します。",
        "産卵日を入れると、孵化がいちばん早い日と遅い日を表示します。"}},
  });
}

TEST(Formatted, FillsEachPlaceholderByName) {
  EXPECT_EQ(Formatted("約{days}日（約{years}年）", {{"years", "6.8"}, {"days", "2,500"}}),
            "約2,500日（約6.8年）");
  EXPECT_EQ(Formatted("{a}{a}", {{"a", "{b}"}}), "{b}{b}");
  EXPECT_EQ(Formatted("no placeholder", {}), "no placeholder");
}

TEST(FormattedDeathTest, StopsOnAPlaceholderWithoutValueOrAValueWithoutPlace) {
#ifdef _WIN32
  GTEST_SKIP() << "death tests run natively";
#endif
  EXPECT_DEATH(Formatted("約{days}日", {}), "");
  EXPECT_DEATH(Formatted("約{days}日", {{"days", "8.4"}, {"years", "0.0"}}), "");
  EXPECT_DEATH(Formatted("約{days日", {{"days", "8.4"}}), "");
}

}  // namespace
