#!/usr/bin/env python3
"""Writes small VB6 projects of one extreme shape each, for bench/run-shape-bench.sh.

Each shape stresses one thing the profiles of the generator hold only in moderation: a statement
continued over thousands of lines, a routine of thousands of Dim and ReDim lines, one line of
thousands of calls, one routine name declared and called thousands of times, thousands of module
variables, a routine called from thousands of others, a form of thousands of controls, property
triplets, long enums, lines full of quotes and apostrophes, public variables used across files,
thousands of tiny members, the common words of the code as routine and variable names.

Usage: shapes.py OUT_DIR SIZE [SHAPE ...]   (each project in OUT_DIR/SHAPE/P.vbp)
"""
import os
import sys


def write_project(folder, members):
    os.makedirs(folder, exist_ok=True)
    lines = ["Type=Exe"]
    for file_name, kind, text in members:
        with open(os.path.join(folder, file_name), "w", newline="", encoding="cp1252") as out:
            out.write(text.replace("\n", "\r\n"))
        stem = file_name.rsplit(".", 1)[0]
        lines.append(f"Form={file_name}" if kind == "Form" else f"{kind}={stem}; {file_name}")
    lines.append('Name="Shape"')
    with open(os.path.join(folder, "P.vbp"), "w", newline="") as out:
        out.write("\r\n".join(lines) + "\r\n")


def module(name, body):
    return [(f"{name}.bas", "Module", f'Attribute VB_Name = "{name}"\n' + body)]


def continuation(n):
    body = "Public Sub A()\n  x = 1 + _\n" + "".join(f"   y{i} + _\n" for i in range(n)) + "   2\nEnd Sub\n"
    return module("M1", body)


def redim(n):
    body = ("Public Sub A()\n" + "".join(f"  Dim v{i}() As Long\n" for i in range(n))
            + "".join(f"  ReDim v{i}(10)\n" for i in range(n)) + "End Sub\n")
    return module("M1", body)


def long_line(n):
    body = ("Public Sub A()\n  x = " + " + ".join(f"F{i % 500}(1)" for i in range(n * 5)) + "\nEnd Sub\n"
            + "".join(f"Public Function F{i}(a)\nEnd Function\n" for i in range(500)))
    return module("M1", body)


def same_name(n):
    return module("M1", "".join("Private Sub Left()\n  Left\n  x = Me.Left\nEnd Sub\n" for _ in range(n // 4)))


def many_variables(n):
    body = ("".join(f"Private m{i} As Long\n" for i in range(n)) + "Public Sub A()\n"
            + "".join(f"  m{i} = m{(i * 7) % n} + 1\n" for i in range(n)) + "End Sub\n")
    return module("M1", body)


def called_by(n):
    body = "Public Sub Target()\nEnd Sub\n" + "".join(f"Public Sub C{i}()\n  Target\nEnd Sub\n" for i in range(n))
    return module("M1", body)


def form_controls(n):
    design = ("VERSION 5.00\nBegin VB.Form Form1\n   Caption = \"F\"\n"
              + "".join(f"   Begin VB.CommandButton cmd{i}\n      Caption = \"Button {i}\"\n   End\n"
                        for i in range(n))
              + "End\nAttribute VB_Name = \"Form1\"\n")
    code = "".join(f"Private Sub cmd{i}_Click()\n  cmd{(i + 1) % n}.Caption = \"x\"\nEnd Sub\n" for i in range(n))
    return [("Form1.frm", "Form", design + code)]


def properties(n):
    head = 'VERSION 1.0 CLASS\nBEGIN\n  MultiUse = -1\nEND\nAttribute VB_Name = "C1"\n'
    body = "".join(f"Private m_P{i} As Long\nPublic Property Get P{i}() As Long\n  P{i} = m_P{i}\nEnd Property\n"
                   f"Public Property Let P{i}(ByVal v As Long)\n  m_P{i} = v\nEnd Property\n"
                   for i in range(n // 2))
    return [("C1.cls", "Class", head + body)]


def enums(n):
    body = ("Public Enum E\n" + "".join(f"  e{i} = {i}\n" for i in range(n)) + "End Enum\nPublic Type T\n"
            + "".join(f"  f{i} As Long\n" for i in range(n)) + "End Type\nPublic Sub A()\n"
            + "".join(f"  x = e{i}\n" for i in range(0, n, 3)) + "End Sub\n")
    return module("M1", body)


def quotes(n):
    body = ("Public Sub A()\n  Dim s As String\n"
            + "".join("  s = \"a'b\" & \"c\" ' comment s \"x\" s\n" for _ in range(n)) + "End Sub\n")
    return module("M1", body)


def public_variables(n):
    members = module("G", "".join(f"Public g{i} As Long\n" for i in range(n)))
    for f in range(max(50, n // 200)):
        members += module(f"M{f}", "Private Sub Form_Load()\n"
                          + "".join(f"  g{(f * 31 + j) % n} = {j}\n" for j in range(100)) + "End Sub\n")
    return members


def many_files(n):
    count = max(10, n // 10)
    members = []
    for f in range(count):
        members += module(f"M{f}", f"Private mv{f} As Long\nPublic gv{f} As Long\nPublic Sub S{f}()\n"
                          f"  S{(f + 1) % count}\n  gv{(f * 7) % count} = mv{f}\nEnd Sub\n")
    return members


def common_words(n):
    words = ["Left", "Top", "Width", "Height", "Value", "Text", "Tag", "Index", "Count", "Item",
             "Name", "Caption", "Enabled", "Visible", "i", "j", "k", "x", "y", "s"]
    members = []
    for f in range(max(10, n // 1000)):
        text = (f'VERSION 1.0 CLASS\nBEGIN\n  MultiUse = -1\nEND\nAttribute VB_Name = "C{f}"\n'
                + "".join(f"Private m_{w} As Variant\nPublic {w} As Variant\n" for w in words[:14])
                + "".join(f"Public Property Get {w}2() As Variant\n  {w}2 = m_{w}\nEnd Property\n" for w in words)
                + "Public Sub Work()\n"
                + "".join(f"  x = Me.{words[j % 20]} + {words[(j + 3) % 20]}({words[(j + 5) % 20]})"
                          f" - obj.{words[(j + 7) % 20]}2.{words[(j + 1) % 20]}, {words[(j + 9) % 20]}\n"
                          for j in range(1000))
                + "End Sub\n")
        members.append((f"C{f}.cls", "Class", text))
    return members


SHAPES = {
    "continuation": continuation, "redim": redim, "long-line": long_line, "same-name": same_name,
    "many-variables": many_variables, "called-by": called_by, "form-controls": form_controls,
    "properties": properties, "enums": enums, "quotes": quotes, "public-variables": public_variables,
    "many-files": many_files, "common-words": common_words,
}


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    out, size = sys.argv[1], int(sys.argv[2])
    for shape in sys.argv[3:] or SHAPES:
        if shape not in SHAPES:
            sys.exit(f"unknown shape: {shape} ({', '.join(SHAPES)})")
        write_project(os.path.join(out, shape), SHAPES[shape](size))


if __name__ == "__main__":
    main()
