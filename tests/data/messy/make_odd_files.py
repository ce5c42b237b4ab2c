#!/usr/bin/env python3
"""Writes the members of the messy fixture that are awkward to keep as edited text.

  app/modJapan.bas  Shift-JIS (code page 932), CR LF. Several characters have
                    the trail byte 0x5C ("\\"): 表 (95 5C), ソ (83 5C),
                    申 (90 5C; 0x90 is also undefined in Windows-1252), 能 (94 5C).
                    They sit in comments and in string literals, once right
                    before the closing quote ("一覧表" ends in 95 5C 22). The
                    comment line of SortKey ends in フォルダ, whose last trail
                    byte is 0x5F ("_"), so a byte-wise reader sees a line
                    continuation there.
  app/frmAbout.frm  UTF-8 with a byte order mark, CR LF, as saved by a modern
                    editor: "–", "é", "©", "Ü", "ø" are multi-byte sequences.
  app/modZero.bas   4096 NUL bytes (a file truncated by a crashed copy).
  app/clsEmpty.cls  0 bytes.
  app/modMacCR.bas  lines ended by a lone CR.

Usage: python3 tests/data/messy/make_odd_files.py
The other members of the fixture are plain files, edited directly.
"""

import pathlib

APP = pathlib.Path(__file__).resolve().parent / "app"

JAPAN = """Attribute VB_Name = "modJapan"
' 受注一覧表を表示するモジュール（申請書の番号順にソート）
Option Explicit

Public Const TITLE_LIST As String = "受注一覧表"

Public Sub ShowList()
    Dim sMsg As String

    ' 表示する前にソートする。能力不足なら中止
    sMsg = "一覧表"
    If Len(sMsg) = 0 Then MsgBox "表示できません", vbExclamation, TITLE_LIST
    MsgBox "申請書を表示します", vbInformation, TITLE_LIST
    frmGrid.Caption = "受注一覧表 - ソート済み"
End Sub

Public Function SortKey(ByVal sText As String) As String
    ' 保存先フォルダ
    SortKey = UCase$(sText)
End Function
"""

ABOUT = """VERSION 5.00
Begin VB.Form frmAbout 
   BorderStyle     =   3  'Fixed Dialog
   Caption         =   "About Messy Orders – Café edition"
   ClientHeight    =   1800
   ClientLeft      =   45
   ClientTop       =   330
   ClientWidth     =   4680
   LinkTopic       =   "Form1"
   MaxButton       =   0   'False
   MinButton       =   0   'False
   ScaleHeight     =   1800
   ScaleWidth      =   4680
   ShowInTaskbar   =   0   'False
   StartUpPosition =   1  'CenterOwner
   Begin VB.CommandButton cmdOK 
      Caption         =   "OK"
      Default         =   -1  'True
      Height          =   375
      Left            =   3360
      TabIndex        =   2
      Top             =   1320
      Width           =   1215
   End
   Begin VB.Label lblVersion 
      Caption         =   "Version"
      Height          =   255
      Left            =   120
      TabIndex        =   1
      Top             =   600
      Width           =   4455
   End
   Begin VB.Label lblCopyright 
      Caption         =   "© 2004 Ünterwald & Søn"
      Height          =   255
      Left            =   120
      TabIndex        =   0
      Top             =   120
      Width           =   4455
   End
End
Attribute VB_Name = "frmAbout"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

Private Sub cmdOK_Click()
    Unload Me
End Sub

Private Sub Form_Load()
    lblVersion.Caption = "Version " & App.Major & "." & App.Minor & " – build " & App.Revision
End Sub
"""

MAC = """Attribute VB_Name = "modMacCR"
Option Explicit

Public Sub FromTheMac()
    MsgBox "Saved on a Mac"
End Sub
"""


def crlf(text):
    return text.replace("\n", "\r\n")


def main():
    japan = crlf(JAPAN).encode("cp932")
    # The continuation case relies on the comment's last byte being "_".
    assert b"\x83\x5f\r\n" in japan and b"\x95\x5c\x22" in japan
    (APP / "modJapan.bas").write_bytes(japan)
    (APP / "frmAbout.frm").write_bytes(b"\xef\xbb\xbf" + crlf(ABOUT).encode("utf-8"))
    (APP / "modZero.bas").write_bytes(bytes(4096))
    (APP / "clsEmpty.cls").write_bytes(b"")
    (APP / "modMacCR.bas").write_bytes(MAC.replace("\n", "\r").encode("ascii"))


if __name__ == "__main__":
    main()
