#!/usr/bin/env python3
"""Writes the code page fixtures: one small project per code page, in the bytes a VB6 IDE on a
machine of that locale writes (CR LF lines, the ANSI code page), with captions, string literals and
comments whose double-byte characters end in 0x5C ("\\") and 0x7C ("|"), and a Japanese project that
holds one UTF-8 module. expected.json lists, per project, the code page detection must find and
texts every output must show. Run it again after changing a text; the files are committed."""

import json
import os

HERE = os.path.dirname(os.path.abspath(__file__))

# caption, button, message literal, comment, label text: the texts of each project.
ROUTINES = {"cp932": "表示件数", "cp950": "許功能"}
PROJECTS = {
    "cp932": ("cp932", 932, "請求書を表示", "ソフト終了", "表示できません｜ポート", "ポート番号を予約する", "能力表"),
    "cp950": ("cp950", 950, "許可功能設定", "關閉視窗", "功能不足，請重試四次", "教育成功與否的檢查", "許功蓋"),
    "cp936": ("gbk", 936, "打开文件对话框", "退出程序", "无法打开文件（億）", "检查文件是否存在（東）", "文件列表"),
    "cp949": ("cp949", 949, "파일 열기", "프로그램 종료", "파일을 열 수 없습니다 뷁", "파일이 있는지 확인 똠", "목록"),
    "cp1251": ("cp1251", 1251, "Открыть файл", "Выход", "Файл не найден", "проверка наличия файла", "Список"),
    "utf8": ("utf-8", 65001, "Übersicht öffnen", "Schließen", "Datei nicht gefunden", "prüft die Datei", "Liste"),
}


def form(enc, caption, button, label):
    lines = [
        "VERSION 5.00",
        "Begin VB.Form frmMain ",
        '   Caption         =   "%s"' % caption,
        "   ClientHeight    =   3000",
        "   Begin VB.CommandButton cmdQuit ",
        '      Caption         =   "%s"' % button,
        "   End",
        "   Begin VB.Label lblList ",
        '      Caption         =   "%s"' % label,
        "   End",
        "End",
        'Attribute VB_Name = "frmMain"',
        "Option Explicit",
        "",
        "Private Sub cmdQuit_Click()",
        "    Unload Me",
        "End Sub",
        "",
    ]
    return ("\r\n".join(lines)).encode(enc)


def module(enc, message, comment, routine=None):
    lines = [
        'Attribute VB_Name = "modText"',
        "Option Explicit",
        "",
        "' %s" % comment,
        "Public Sub ShowProblem()",
        '    MsgBox "%s"' % message,
        "End Sub",
        "",
    ]
    # Japanese and Chinese editions of VB6 take identifiers in the code page's own characters.
    if routine:
        lines += ["Public Function %s() As Long" % routine, "    %s = 1" % routine, "End Function", ""]
    return ("\r\n".join(lines)).encode(enc)


def write(path, data):
    with open(path, "wb") as out:
        out.write(data)


def main():
    expected = {}
    for name, (enc, page, caption, button, message, comment, label) in PROJECTS.items():
        folder = os.path.join(HERE, name)
        os.makedirs(folder, exist_ok=True)
        write(os.path.join(folder, "frmMain.frm"), form(enc, caption, button, label))
        write(os.path.join(folder, "modText.bas"), module(enc, message, comment, ROUTINES.get(name)))
        write(os.path.join(folder, "App.vbp"),
              b"Type=Exe\r\nForm=frmMain.frm\r\nModule=modText; modText.bas\r\nName=\"App\"\r\n")
        expected[name] = {"codePage": page, "texts": [caption, button, message, label], "comment": comment}
        if name in ROUTINES:
            expected[name]["routine"] = ROUTINES[name]
    # A Japanese project whose second module was saved as UTF-8 by a modern editor.
    mixed = os.path.join(HERE, "cp932-utf8-module")
    os.makedirs(mixed, exist_ok=True)
    enc, page, caption, button, message, comment, label = PROJECTS["cp932"]
    write(os.path.join(mixed, "frmMain.frm"), form(enc, caption, button, label))
    write(os.path.join(mixed, "modText.bas"), module(enc, message, comment))
    write(os.path.join(mixed, "modNew.bas"),
          module("utf-8", "新しいモジュール", "UTF-8 で保存").replace(b"modText", b"modNew"))
    write(os.path.join(mixed, "App.vbp"),
          b"Type=Exe\r\nForm=frmMain.frm\r\nModule=modText; modText.bas\r\nModule=modNew; modNew.bas\r\n"
          b"Name=\"App\"\r\n")
    expected["cp932-utf8-module"] = {"codePage": 932, "texts": [caption, "新しいモジュール"], "comment": comment,
                                     "utf8File": "modNew.bas"}
    with open(os.path.join(HERE, "expected.json"), "w", encoding="utf-8") as out:
        json.dump(expected, out, ensure_ascii=False, indent=1)
        out.write("\n")
    # Each double-byte fixture must hold the trail bytes it is about.
    # (GBK has 0x5C trails only among rare characters of its extension.)
    for name, trails in (("cp932", b"\x5c\x7c"), ("cp950", b"\x5c\x7c"), ("cp936", b"\x7c"), ("cp949", b"c")):
        data = b"".join(open(os.path.join(HERE, name, f), "rb").read() for f in ("frmMain.frm", "modText.bas"))
        for trail in (trails[i:i + 1] for i in range(len(trails))):
            assert any(data[i] >= 0x81 and data[i + 1:i + 2] == trail for i in range(len(data) - 1)), (name, trail)


if __name__ == "__main__":
    main()
