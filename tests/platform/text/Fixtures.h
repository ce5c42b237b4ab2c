#pragma once
// Lines of VB6 modules and forms in the languages of each Windows code page, in UTF-8: comments,
// captions and messages as a developer of each country wrote them. The double-byte ones include
// characters whose trail byte is 0x5C ('\') or 0x7C ('|'), the bytes byte-wise code mistakes for
// path and list separators.

#include <string_view>

namespace tally::fixtures {

struct Fixture {
    int codePage;
    std::string_view text;
};

inline constexpr Fixture kFixtures[] = {
    {874,
     "' \u0E40\u0E1B\u0E34\u0E14\u0E44\u0E1F\u0E25\u0E4C\u0E25\u0E39\u0E01\u0E04\u0E49\u0E32\r\n"  // เปิดไฟล์ลูกค้า
     "Caption = \"\u0E1A\u0E31\u0E19\u0E17\u0E36\u0E01\u0E02\u0E49\u0E2D\u0E21\u0E39\u0E25\"\r\n"},  // บันทึกข้อมูล
    {932,
     "' 請求書を印刷する\r\n"
     "Caption = \"表示\"\r\n"
     "lblTitle.Caption = \"ソフト設定\"\r\n"
     "MsgBox \"申し訳ありません。予定表を保存できませんでした。\"\r\n"
     "' 十分な能力があるか確認する\r\n"
     "cmdOK.Caption = \"ﾌｧｲﾙ\"  ' 半角カナのボタン\r\n"},
    {936,
     "' 打开客户文件\r\n"
     "Caption = \"保存数据\"\r\n"
     "MsgBox \"无法连接数据库，请检查设置。\"\r\n"
     "' 计算本月的订单总金额\r\n"
     "lblNote.Caption = \"乗客名单\"\r\n"},  // 乗 is 81 5C, from the GBK extension
    {949,
     "' 파일을 저장합니다\r\n"
     "Caption = \"고객 목록\"\r\n"
     "MsgBox \"데이터베이스에 연결할 수 없습니다.\"\r\n"
     "' 이번 달 주문 금액을 계산합니다\r\n"
     "lblNote.Caption = \"똠방각하\"\r\n"},  // 똠 is 8C 63, a syllable of the UHC extension
    {950,
     "' 列印報表\r\n"
     "Caption = \"客戶資料\"\r\n"
     "MsgBox \"無法連接資料庫，請檢查設定。\"\r\n"
     "cmdAllow.Caption = \"許可\"\r\n"
     "' 四月份的功能清單\r\n"},
    {1250,
     "' Otwórz plik klienta\r\n"
     "Caption = \"Uložit změny\"\r\n"
     "MsgBox \"Zażółć gęślą jaźń – Příliš žluťoučký kůň\"\r\n"},
    {1251,
     "' Открыть файл клиента\r\n"
     "Caption = \"Сохранить изменения\"\r\n"
     "MsgBox \"Не удалось подключиться к базе данных. Проверьте настройки.\"\r\n"},
    {1252,
     "' Größe der Datei prüfen\r\n"
     "Caption = \"Données enregistrées\"\r\n"
     "MsgBox \"Übersicht drucken – “Straße” €\"\r\n"},
    {1253,
     "' Άνοιγμα αρχείου πελάτη\r\n"
     "Caption = \"Αποθήκευση αλλαγών\"\r\n"
     "MsgBox \"Δεν ήταν δυνατή η σύνδεση με τη βάση δεδομένων.\"\r\n"},
    {1254,
     "' Müşteri dosyasını aç\r\n"
     "Caption = \"Değişiklikleri kaydet\"\r\n"
     "MsgBox \"İşlem başarısız oldu.\"\r\n"},
    {1255,
     "' \u05E4\u05EA\u05D7 \u05E7\u05D5\u05D1\u05E5 \u05DC\u05E7\u05D5\u05D7\r\n"  // פתח קובץ לקוח
     "Caption = \"\u05E9\u05DE\u05D5\u05E8\"\r\n"},                                // שמור
    {1256,
     "' \u0641\u062A\u062D \u0645\u0644\u0641 \u0627\u0644\u0639\u0645\u064A\u0644\r\n"  // فتح ملف العميل
     "Caption = \"\u062D\u0641\u0638\"\r\n"},                                            // حفظ
    {1257,
     "' Atidaryti kliento failą\r\n"
     "Caption = \"Saglabāt izmaiņas\"\r\n"
     "MsgBox \"Įrašas išsaugotas – Ąčęėįšųūž\"\r\n"},
    // Windows-1258 writes the tones of Vietnamese as combining marks after the letter.
    {1258,
     "' M\u01A1\u0309 t\u00EA\u0323p kha\u0301ch ha\u0300ng\r\n"  // Mở tệp khách hàng
     "Caption = \"L\u01B0u\"\r\n"},                               // Lưu
};

}  // namespace tally::fixtures
