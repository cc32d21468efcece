// The browser page's own Japanese texts, beside the window's (form_texts.h).
// This file is UTF-8, as the page is. Each "{name}" stands for a number, a
// date or a label that the calculation core writes. On the page a number
// stands next to its unit with no space: "約8.4日", "5.45℃".
#pragma once

// The period in plain words: under WHOLE_DAYS_FROM days in tenths, from then
// on in whole days with the years beside them.
inline constexpr const char* PERIOD_READING_FORMAT = "約{days}日";
inline constexpr const char* LONG_PERIOD_READING_FORMAT = "約{days}日（約{years}年）";
// For a negative or infinite period, at or below the threshold temperature,
// which the window's note ① rounds to "約5℃".
inline constexpr const char* NO_DEVELOPMENT_FORMAT =
    "この水温では卵は発育しません。卵が発育するのは、水温が約{threshold}℃より高いときです"
    "（①の「約5℃」を詳しく書いた値です）。";
// For a period of zero, or one that rounds to 0.0 days.
inline constexpr const char* FAR_OUTSIDE_TEXT =
    "この水温は、この推定が当てはまる範囲から大きく外れています。";
// Above the quick table's last temperature.
inline constexpr const char* ABOVE_QUICK_TABLE_FORMAT =
    "{last}℃を超える水温です。②のとおり、生存率は考慮していません。";
// When the reader did not use the whole text: the part it read, and the
// temperature that part gave.
inline constexpr const char* PARTLY_READ_FORMAT =
    "入力の先頭の「{used}」だけを数として読み、{temperature}℃として計算しました。";
// When nothing of the text could be read, with the temperature used (0).
inline constexpr const char* UNREADABLE_FORMAT =
    "入力を数として読めないため、{temperature}℃として計算しました。"
    "水温は数字で入力してください（例：20、12.75）。";
inline constexpr const char* EMPTY_INPUT_FORMAT =
    "水温が入力されていないため、{temperature}℃として計算しました。";

// A date, then its weekday. The page never breaks a line inside either piece.
inline constexpr const char* DATE_FORMAT = "{year}年{month}月{day}日";
inline constexpr const char* ABOUT_WEEKDAY_FORMAT = "（{weekday}）ごろ";
// Sunday first.
inline constexpr const char* WEEKDAY_NAMES[] = {"日", "月", "火", "水", "木", "金", "土"};
// How far a hatch date is from today, in days.
inline constexpr const char* DAYS_AHEAD_FORMAT = "（あと{days}日）";
inline constexpr const char* TODAY_TEXT = "（今日）";
inline constexpr const char* DAYS_AGO_FORMAT = "（{days}日前）";
inline constexpr const char* HATCH_TOO_LATE_TEXT = "9999年12月31日より後";
inline constexpr const char* NO_LAYING_DATE_TEXT = "産卵日を入れると、孵化予定日を表示します。";
// When the water temperature changes between two temperatures: the earliest
// and the latest hatch dates.
inline constexpr const char* RANGE_FORMAT =
    "水温が{lower}～{higher}℃のあいだなら、早ければ{earliest}、遅ければ{latest}に"
    "孵化する見込みです。";
// The lower temperature is at or below the threshold.
inline constexpr const char* RANGE_NO_LATEST_FORMAT =
    "水温が{lower}～{higher}℃のあいだなら、早ければ{earliest}に孵化する見込みです。"
    "水温が約{threshold}℃以下のあいだは発育が止まるので、遅いほうの日付は出せません。";
inline constexpr const char* RANGE_NO_DEVELOPMENT_FORMAT =
    "水温が{lower}～{higher}℃では、卵は発育しません。卵が発育するのは、水温が約{threshold}℃"
    "より高いときです。";
inline constexpr const char* RANGE_FAR_OUTSIDE_FORMAT =
    "水温が{lower}～{higher}℃では、この推定が当てはまる範囲から大きく外れています。";
inline constexpr const char* RANGE_ONE_FIELD_TEXT =
    "最低水温と最高水温の両方を入れると、孵化がいちばん早い日と遅い日を表示します。";
inline constexpr const char* RANGE_NO_LAYING_DATE_TEXT =
    "産卵日を入れると、孵化がいちばん早い日と遅い日を表示します。";
// A range field read only in part: the part read, and the temperature it gave.
inline constexpr const char* RANGE_PARTLY_READ_FORMAT =
    "「{field}」は、入力の先頭の「{used}」だけを数として読み、{temperature}℃としました。";
// A range field with nothing readable: no dates are given.
inline constexpr const char* RANGE_UNREADABLE_FORMAT =
    "「{field}」の入力を数として読めないため、孵化予定日の幅は出せません。"
    "数字で入力してください（例：18、23.5）。";

// The installed app's name under its icon on a phone's home screen.
inline constexpr const char* APP_SHORT_NAME = "卵期間電卓";

// The page's labels, hints and messages.
inline constexpr const char* PERIOD_HINT = "電卓の計算結果そのもの（有効数字15桁）";
inline constexpr const char* LAID_LABEL = "産卵日";
inline constexpr const char* LAID_HINT = "卵を産んだ日（または初めて見つけた日）";
inline constexpr const char* HATCH_LABEL = "孵化予定日";
inline constexpr const char* RANGE_TITLE = "水温が変わるとき（任意）";
inline constexpr const char* RANGE_HINT =
    "水温が変わるときは、時間で重みを付けた平均の水温を「水温（℃）」に入れてください"
    "（夜の12時間が18℃、昼の12時間が23℃なら20.5℃）。発育速度は水温に対して直線的に"
    "（1℃上がるごとに同じだけ）変わるので、水温が約{threshold}℃より高いあいだは、毎日の発育を"
    "足し合わせたのと同じ推定になります。下の2つの欄に水温の幅を入れると、孵化が"
    "いちばん早い日と遅い日も表示します。";
inline constexpr const char* LOWEST_LABEL = "最低水温（℃）";
inline constexpr const char* HIGHEST_LABEL = "最高水温（℃）";
inline constexpr const char* RANGE_RESULT_LABEL = "孵化予定日の幅";

inline constexpr const char* QUICK_TABLE_TITLE = "早見表";
inline constexpr const char* QUICK_TABLE_CAPTION =
    "水温{first}～{last}℃、1℃ごとの推定卵期間です。「目安（日）」は小数第1位に四捨五入した値、"
    "「推定卵期間（日）」は電卓の計算結果そのものです。";
inline constexpr const char* QUICK_TABLE_PERIOD_HEADING = "目安（日）";
inline constexpr const char* NO_SCRIPT_TEXT =
    "この電卓は JavaScript で動きます。ブラウザーの設定で JavaScript を有効にしてください。";
inline constexpr const char* NO_WEBASSEMBLY_TEXT =
    "このブラウザーでは計算できません。WebAssembly が使えないためです。"
    "新しい版の Chrome、Edge、Firefox、Safari で開いてください。";

// The footer: the manual (also its page's title), and the page's version.
inline constexpr const char* MANUAL_TEXT = "説明書";
inline constexpr const char* VERSION_FORMAT = "版：{version}";
// The site's page when it is opened offline and a file it keeps is missing.
inline constexpr const char* OFFLINE_TITLE = "卵期間推定電卓を開けませんでした";
inline constexpr const char* OFFLINE_TEXT =
    "この端末に保存してあるファイルの一部が見つかりません。インターネットにつながる"
    "ところで一度開くと、ファイルが元どおりになり、またインターネットなしで使えます。";
// The manual's page on the site: the way back to the calculator.
inline constexpr const char* MANUAL_BACK_TEXT = "電卓に戻る";

// The notebook of clutches (記録帳).
inline constexpr const char* NOTEBOOK_TITLE = "記録帳";
inline constexpr const char* NOTEBOOK_HINT =
    "計算した卵を記録しておくと、孵化予定日が近い順に並びます。記録はこの端末のブラウザーの"
    "中だけに保存され、どこにも送られません。";
inline constexpr const char* LABEL_LABEL = "名前（任意）";
inline constexpr const char* SAVE_TEXT = "この計算を記録";
// A clutch saved without a name.
inline constexpr const char* DEFAULT_NAME_FORMAT = "記録{number}";
inline constexpr const char* WEEKDAY_FORMAT = "（{weekday}）";
inline constexpr const char* SHORT_DATE_FORMAT = "{month}月{day}日";
inline constexpr const char* CLUTCH_LAID_LABEL = "産卵日";
inline constexpr const char* CLUTCH_TEMPERATURE_FORMAT = "水温{temperature}℃";
inline constexpr const char* CLUTCH_HATCH_LABEL = "孵化予定日";
// A clutch's state in the morning's list.
inline constexpr const char* STATE_TODAY_TEXT = "今日が孵化予定日";
inline constexpr const char* STATE_AHEAD_FORMAT = "あと{days}日";
inline constexpr const char* STATE_LATE_FORMAT = "孵化予定日を{days}日過ぎています。";
inline constexpr const char* STATE_HATCHED_FORMAT = "孵化した日 {date}・予定との差{difference}日";
inline constexpr const char* STATE_HATCHED_TEXT = "孵化した日 {date}";
inline constexpr const char* STATE_STOPPED_TEXT =
    "直近の水温では発育が止まっているため、孵化予定日は出せません。";
inline constexpr const char* DEVELOPMENT_FORMAT = "発育{percent}%";
// An unhatched clutch whose development by noon has passed the whole.
inline constexpr const char* DEVELOPMENT_PAST_TEXT = "発育は100%を超えています。";
// The hatch dates if every day after today were like the coldest and like the
// warmest of the last seven recorded days, and an end that cannot be a date.
inline constexpr const char* RANGE_CARD_FORMAT = "早ければ{earliest}、遅ければ{latest}";
inline constexpr const char* RANGE_CARD_LABEL = "孵化予定日の幅";
inline constexpr const char* RANGE_END_NEVER_TEXT = "孵化しないこともある";
inline constexpr const char* RANGE_END_FAR_TEXT = "1年より先";
// How due a clutch is, beside its name in the morning's summary.
inline constexpr const char* DUE_LATE_FORMAT = "（{days}日過ぎ）";
inline constexpr const char* DUE_AHEAD_FORMAT = "（{date}・あと{days}日）";
// What the forecast takes the days ahead to be.
inline constexpr const char* ASSUMES_PACE_TEXT =
    "これからの日は直近7日の平均のペースで予想しています。";
inline constexpr const char* ASSUMES_TEMPERATURE_FORMAT =
    "これからの日も水温{temperature}℃として予想しています。";
// A hatched date before laying or after today, which 1.3.0 could keep: shown
// as it is, and left out of the lesson.
inline constexpr const char* STATE_HATCHED_DOUBTFUL_FORMAT =
    "孵化した日が{date}になっています。日付を確かめてください。";
// A kept record that cannot be shown, and why (one of the RECORD_ texts).
inline constexpr const char* DAMAGED_RECORD_FORMAT = "表示できない記録です（{problem}）。";
// What the hatched clutches teach: how many, the mean difference from the
// predicted date, and the smallest and largest difference.
inline constexpr const char* LESSON_LATER_FORMAT =
    "孵化した記録{count}件では、予定より平均{days}日遅く孵化しています（{lowest}～{highest}日）。";
inline constexpr const char* LESSON_EARLIER_FORMAT =
    "孵化した記録{count}件では、予定より平均{days}日早く孵化しています（{lowest}～{highest}日）。";
inline constexpr const char* LESSON_ON_TIME_FORMAT =
    "孵化した記録{count}件では、平均して予定どおりに孵化しています（{lowest}～{highest}日）。";
// One line about a clutch to send to someone.
inline constexpr const char* SHARE_FORMAT =
    "{name}　産卵日 {laid}・水温{temperature}℃・孵化予定日 {hatch}";
inline constexpr const char* SHARE_HATCHED_FORMAT =
    "{name}　産卵日 {laid}・水温{temperature}℃・孵化した日 {hatched}";
inline constexpr const char* SHARE_STOPPED_FORMAT =
    "{name}　産卵日 {laid}・水温{temperature}℃・発育が止まっています";
inline constexpr const char* SHARE_NO_DATE_FORMAT =
    "{name}　産卵日 {laid}・水温{temperature}℃・孵化予定日なし";
// The calendar event on the hatch date, and its reminder the evening before.
inline constexpr const char* EVENT_SUMMARY_FORMAT = "{name}の孵化予定日";
// The spreadsheet's two sections: the clutches, then the day entries.
inline constexpr const char* CSV_CLUTCH_HEADER =
    "名前,産卵日,記録の水温,孵化予定日,孵化した日,発育%";
inline constexpr const char* CSV_ENTRY_HEADER = "名前,日付,平均水温,最低水温,最高水温";
// A clutch's day entries in the list: how many days, and the latest day's
// temperature, or lowest and highest.
inline constexpr const char* LOG_SUMMARY_FORMAT = "日ごとの水温{count}日分（最新は{latest}）";
inline constexpr const char* LOG_AVERAGE_FORMAT = "{date}の{temperature}℃";
inline constexpr const char* LOG_RANGE_FORMAT = "{date}の{lowest}～{highest}℃";
inline constexpr const char* LOG_NOT_COUNTED_TEXT = "（産卵日より前のため数えていません）";
inline constexpr const char* SEASON_FORMAT = "最低{lowest}℃・最高{highest}℃";
// Day entries before a laying date that was corrected later: kept, not counted.
inline constexpr const char* LOG_UNCOUNTED_FORMAT = "（産卵日より前の{count}日分は数えていません）";
// What is wrong with a record that a backup or the browser's storage holds.
inline constexpr const char* RECORD_DAMAGED_TEXT = "記録の形が正しくありません";
inline constexpr const char* RECORD_ID_TEXT = "IDに使えない文字があるか、IDが長すぎます";
inline constexpr const char* RECORD_DUPLICATE_FORMAT = "ID {id} が{first}件目と同じです";
// What the door mends in a record, and says.
inline constexpr const char* MEND_ID_FORMAT =
    "IDに使えない文字があるか、IDが長すぎたため、IDを{value}にしました。";
inline constexpr const char* MEND_NAME_CONTROL_TEXT =
    "名前の中の改行などの制御文字を空白にしました。";
inline constexpr const char* MEND_NAME_LENGTH_FORMAT =
    "名前が長すぎたため、先頭の{value}文字にしました。";
inline constexpr const char* MEND_TIME_TEXT =
    "変更した日時がなかったため、いちばん古い記録として扱います。";
inline constexpr const char* MEND_ENTRY_SHAPE_TEXT = "形の正しくない日ごとの水温を除きました。";
// What the door refuses of what a person typed.
inline constexpr const char* REFUSED_LAID_TEXT = "産卵日は1900年から2200年までの日にしてください。";
inline constexpr const char* REFUSED_TEMPERATURE_FORMAT =
    "水温の「{value}」には数として読めない文字があります。数だけを入れてください。";
// What the card of a record that cannot be worked out asks for.
inline constexpr const char* ASKS_LAID_FORMAT =
    "産卵日「{value}"
    "」が読めないため、孵化予定日を出せません。「記録を直す」で産卵日を入れてください。";
inline constexpr const char* ASKS_TEMPERATURE_FORMAT =
    "水温「{value}"
    "」が数として読めないため、孵化予定日を出せません。「記録を直す」で水温を入れてください。";
inline constexpr const char* ASKS_HATCHED_FORMAT =
    "孵化した日「{value}」が読めません。「孵化」で孵化した日を入れ直してください。";
// Why a day entry is set aside: shown on its card, and not counted.
inline constexpr const char* ASIDE_DATE_TEXT = "（日付が読めないため数えていません）";
inline constexpr const char* ASIDE_TEMPERATURE_TEXT =
    "（水温が数として読めないため数えていません）";
inline constexpr const char* ASIDE_AFTER_IMPORT_TEXT =
    "（読み込んだときに先の日付だったため数えていません）";
// The notebook's labels and messages.
inline constexpr const char* NOTEBOOK_EMPTY_TEXT =
    "まだ記録はありません。計算したあと「この計算を記録」を押すと、ここに並びます。";
inline constexpr const char* SAVED_FORMAT = "「{name}」を記録しました。";
inline constexpr const char* SAVE_NEEDS_TEMPERATURE_TEXT =
    "水温を数として読めないため、記録できません。";
inline constexpr const char* SAVE_NEEDS_LAID_TEXT = "産卵日を入れると記録できます。";
// A correction with an empty field: the clutch stays as it was.
inline constexpr const char* EDIT_NEEDS_TEMPERATURE_TEXT =
    "水温を入れてください。記録は前のままです。";
inline constexpr const char* EDIT_NEEDS_LAID_TEXT = "産卵日を入れてください。記録は前のままです。";
inline constexpr const char* SAVE_FAILED_TEXT =
    "記録できませんでした。入力はそのまま残っています。";
inline constexpr const char* STORAGE_UNAVAILABLE_TEXT =
    "このブラウザーでは、ここに記録を残せません（プライベート ブラウズのときなど）。"
    "計算はこれまでどおり使えます。";
inline constexpr const char* SAFARI_NOTE_TEXT =
    "Safari "
    "で続けて使うときは、ホーム画面に追加して使うと安心です。追加せずに使っていると、7日間このペー"
    "ジを開かなかったときに記録が消えることがあります。ときどきバックアップもしておいてください。";
inline constexpr const char* LAST_BACKUP_FORMAT = "最後のバックアップ：{date}";
inline constexpr const char* NO_BACKUP_TEXT = "まだバックアップしていません。";
inline constexpr const char* EXPORT_JSON_TEXT = "バックアップ";
inline constexpr const char* EXPORT_CSV_TEXT = "表計算用に書き出す";
// The notebook printed alone, as a table.
inline constexpr const char* PRINT_LIST_TEXT = "一覧を印刷";
inline constexpr const char* PRINT_STATE_HEADING = "状態";
inline constexpr const char* PRINT_DEVELOPMENT_HEADING = "発育";
inline constexpr const char* IMPORT_LABEL = "読み込み（バックアップのファイルを選ぶ）";
inline constexpr const char* IMPORTED_FORMAT = "読み込みました。追加{added}件、更新{updated}件。";
// The records of a backup that were left out, each with its place in the file.
inline constexpr const char* IMPORT_LEFT_OUT_FORMAT = "次の{count}件は読み込んでいません。";
inline constexpr const char* IMPORT_PROBLEM_FORMAT = "{number}件目：{problem}。";
inline constexpr const char* IMPORT_NOT_BACKUP_TEXT =
    "このファイルは記録帳のバックアップではありません。記録は何も変えていません。";
inline constexpr const char* IMPORT_DAMAGED_TEXT =
    "このバックアップは壊れているため、読み込めません。記録は何も変えていません。";
inline constexpr const char* IMPORT_NEWER_TEXT =
    "このバックアップは新しい版の電卓で作られたため、読み込めません。電卓を新しくしてから"
    "読み込んでください。記録は何も変えていません。";
inline constexpr const char* IMPORT_TOO_LARGE_TEXT =
    "このファイルは大きすぎるため（64MBまで）、読み込めません。記録は何も変えていません。";
inline constexpr const char* IMPORT_FAILED_TEXT =
    "読み込めませんでした。記録は何も変えていません。";
inline constexpr const char* IMPORT_UNDONE_TEXT = "読み込んだのを元に戻しました。";
inline constexpr const char* IMPORT_MENDED_FORMAT = "次の{count}件は直して読み込みました。";
// After the first NAMED_AT_MOST records named, how many more there are.
inline constexpr const char* MORE_NOT_NAMED_FORMAT = "ほか{count}件。";
// Records the door mended when the notebook opened, written back and named once.
inline constexpr const char* MENDED_ON_OPENING_FORMAT =
    "記録帳を開いたときに、次の{count}件の記録を直しました（直す前の値も記録に残してあります）。";
inline constexpr const char* MENDED_RECORD_FORMAT = "「{name}」：{mends}";
// An undo takes back only what its change wrote and still stands.
inline constexpr const char* UNDO_CHANGED_SINCE_FORMAT =
    "{names}は後で変わったため戻していません。";
inline constexpr const char* UNDO_EXISTS_TEXT = "同じ記録がすでにあるため、戻していません。";
inline constexpr const char* UNDO_FAILED_TEXT = "元に戻せませんでした。記録は今のままです。";
inline constexpr const char* CLUTCH_GONE_TEXT = "この卵の記録は、ほかのタブで削除されています。";
inline constexpr const char* ENTRY_CHANGED_SINCE_TEXT =
    "この日の水温はほかのタブで変わったため、削除していません。";
inline constexpr const char* ENTRY_RESTORED_FORMAT = "{entry}を元に戻しました。";
inline constexpr const char* DELETE_FAILED_TEXT = "削除できませんでした。記録は前のままです。";
inline constexpr const char* CHANGE_FAILED_TEXT =
    "保存できませんでした。記録は前のままです。入力はそのまま残っています。";
inline constexpr const char* DELETED_FORMAT = "「{name}」を削除しました。";
inline constexpr const char* UNDO_DELETE_TEXT = "元に戻す";
inline constexpr const char* COPIED_TEXT = "共有する文をコピーしました。";
inline constexpr const char* LOG_NEEDS_TEMPERATURE_TEXT =
    "平均水温か、最低水温と最高水温の両方を数字で入れてください。";
inline constexpr const char* LOG_DATE_OUTSIDE_TEXT = "日付は産卵日から今日までの日にしてください。";
inline constexpr const char* HATCHED_DATE_OUTSIDE_TEXT =
    "孵化した日は産卵日から今日までの日にしてください。";
// A temperature typed into the notebook with characters that are not read.
inline constexpr const char* TEMPERATURE_UNREAD_FORMAT =
    "{field}の「{text}」には数として読めない文字があります。数だけを入れてください。";
// The notebook's database while another tab holds an older or newer version.
inline constexpr const char* DATABASE_BLOCKED_TEXT =
    "別のタブで開いている電卓が記録帳を使っているため、記録帳を開けません。"
    "そのタブを閉じるか、再読み込みしてください。";
inline constexpr const char* DATABASE_REPLACED_TEXT =
    "新しい版の電卓が別のタブで開かれたため、このページでは記録を保存できません。"
    "このページを再読み込みしてください。";
// The notebook's database is of a newer version of the page, or the browser
// closed it.
inline constexpr const char* DATABASE_NEWER_TEXT =
    "この記録帳は新しい版の電卓で使われているため、この版では開けません。"
    "新しい版の電卓のページを開いてください。";
inline constexpr const char* DATABASE_CLOSED_TEXT =
    "ブラウザーが記録帳を閉じたため、ここからは保存できません。ページを再読み込みしてください。";
// A change was stored, but the list could not be drawn again.
inline constexpr const char* LIST_FAILED_TEXT =
    "保存しましたが、一覧を表示し直せませんでした。ページを再読み込みしてください。";
// A clutch's controls.
inline constexpr const char* LOG_TITLE = "日ごとの水温";
inline constexpr const char* LOG_HINT =
    "平均水温か、最低水温と最高水温の両方を入れます。同じ日付をもう一度入れると、その日の水温を置き"
    "換えます。";
inline constexpr const char* LOG_DATE_LABEL = "日付";
inline constexpr const char* LOG_TEMPERATURE_LABEL = "平均水温（℃）";
inline constexpr const char* LOG_ADD_TEXT = "この日の水温を追加";
inline constexpr const char* EDIT_TITLE = "記録を直す";
inline constexpr const char* NAME_LABEL = "名前";
inline constexpr const char* EDIT_SAVE_TEXT = "直す";
inline constexpr const char* HATCHED_LABEL = "孵化した日";
inline constexpr const char* HATCHED_SAVE_TEXT = "孵化した";
inline constexpr const char* HATCHED_TITLE = "孵化";
inline constexpr const char* HATCHED_UNDO_TEXT = "孵化したことを取り消す";
inline constexpr const char* ENTRY_DELETED_FORMAT = "{entry}を削除しました。";
// Under a card's latest day entries: the button that lists every one.
inline constexpr const char* ENTRIES_ALL_FORMAT = "すべて表示（{count}件）";
inline constexpr const char* HATCHED_UNDONE_TEXT = "孵化したことを取り消しました。";
// What a card's status line says after a change: how the hatch date moved.
inline constexpr const char* HATCH_MOVED_FORMAT = "孵化予定日 {from}→{to}";
inline constexpr const char* HATCH_STAYED_FORMAT = "孵化予定日は{date}のままです。";
inline constexpr const char* HATCH_NONE_TEXT = "出せない";
// The morning's summary above the calculator.
inline constexpr const char* TODAY_HATCHING_TEXT = "今日孵化の予定：";
inline constexpr const char* TODAY_LATE_TEXT = "予定日を過ぎた卵：";
inline constexpr const char* TODAY_NEXT_TEXT = "次に孵化する卵：";
// Between names in a list.
inline constexpr const char* LIST_SEPARATOR_TEXT = "、";
// Hatched clutches, folded after the others.
inline constexpr const char* HATCHED_COUNT_FORMAT = "孵化済み（{count}件）";
// One reading for the whole shelf.
inline constexpr const char* ROUND_TITLE = "まとめて記録（朝の見回り）";
inline constexpr const char* ROUND_HINT =
    "水温を一度入れると、選んだ卵すべてにその日の水温を記録します。";
inline constexpr const char* ROUND_CLUTCHES_TEXT = "記録する卵";
inline constexpr const char* ROUND_ADD_TEXT = "選んだ卵に記録";
inline constexpr const char* ROUND_DONE_FORMAT = "{count}件に水温を記録しました。";
inline constexpr const char* ROUND_MOVED_FORMAT = "{name} {from}→{to}";
inline constexpr const char* ROUND_SKIPPED_FORMAT =
    "{names}は、産卵日がこの日より後なので記録していません。";
inline constexpr const char* ROUND_NONE_TEXT = "記録する卵を選んでください。";
inline constexpr const char* ROUND_UNDONE_TEXT = "まとめて記録したのを元に戻しました。";
inline constexpr const char* SHARE_TEXT = "共有";
inline constexpr const char* CALENDAR_TEXT = "カレンダーに追加";
inline constexpr const char* DELETE_TEXT = "削除";
