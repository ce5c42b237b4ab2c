#!/usr/bin/env python3
"""The Windows CLI's scan of a project, run under Wine, equals this machine's CLI's scan of it but
for the paths (Z:\\... against /...) and the parse date and time of the scan file's header.

    compare_sample_scan.py HOST_CLI WINE WINDOWS_CLI PROJECT.vbp WORK_DIR
"""
import difflib
import os
import subprocess
import sys


def run(command, out_file):
    done = subprocess.run(command, capture_output=True, timeout=300)
    if done.returncode != 0:
        sys.exit(f"{' '.join(command)} failed ({done.returncode}):\n{done.stderr.decode(errors='replace')}")
    with open(out_file, 'rb') as f:
        return done.stdout, f.read()


def normalised(text, root, windows):
    """The text with the folder above the project's standing as <ROOT>, paths with "/" and LF
    line ends."""
    text = text.decode('latin-1').replace('\r\n', '\n')
    if windows:
        native = 'Z:' + root.replace('/', '\\')
        lines = []
        for line in text.split('\n'):
            if native in line:
                line = line.replace(native, '<ROOT>').replace('\\', '/')
            lines.append(line)
        return lines
    return text.replace(root, '<ROOT>').split('\n')


def main():
    host_cli, wine, windows_cli, project, work = sys.argv[1:6]
    project = os.path.abspath(project)
    root = os.path.dirname(os.path.dirname(project))
    os.makedirs(work, exist_ok=True)
    linux_psf = os.path.join(work, 'linux.psf')
    windows_psf = os.path.join(work, 'windows.psf')
    linux_out, linux_scan = run([host_cli, 'scan', project, '--save', linux_psf], linux_psf)
    windows_project = 'Z:' + project.replace('/', '\\')
    windows_out, windows_scan = run([wine, windows_cli, 'scan', windows_project, '--save',
                                     'Z:' + windows_psf.replace('/', '\\')], windows_psf)

    failures = 0
    # The scan file: its fourth and fifth lines are the parse date and the parse time.
    a = normalised(linux_scan, root, False)
    b = normalised(windows_scan, root, True)
    if len(a) < 6 or len(b) < 6:
        sys.exit('a scan file is too short')
    del a[3:5], b[3:5]
    if a != b:
        failures += 1
        print('The scan files differ:')
        sys.stdout.writelines(l + '\n' for l in difflib.unified_diff(a, b, 'linux', 'windows', n=1))
    # The summary printed: all but the seconds the scan took.
    a = [l for l in normalised(linux_out, root, False) if 'seconds:' not in l]
    b = [l for l in normalised(windows_out, root, True) if 'seconds:' not in l]
    if a != b:
        failures += 1
        print('The printed summaries differ:')
        sys.stdout.writelines(l + '\n' for l in difflib.unified_diff(a, b, 'linux', 'windows', n=1))
    if failures:
        sys.exit(1)
    print(f'{len(linux_scan)} and {len(windows_scan)} bytes of scan file: the same but for paths and dates')


if __name__ == '__main__':
    main()
