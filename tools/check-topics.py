#!/usr/bin/env python3
"""Checks a Tovrek working folder (by default demo/) before it ships.

Every topic under subjects/ must load without a problem report: matching
"[Q" and "[A" counts, an exact "[[qend" end line, at least two questions,
media lines that name existing files, valid format lines and CR LF line
ends. Exits 1 and lists the problems when any is found.

    tools/check-topics.py [FOLDER]
"""

import pathlib
import sys

# Letters allowed at each place of a ten-letter format code. Places 5 and 8
# also allow "c" (a symbol font we do not ship), so the demo must not use it.
FORMAT_LETTERS = ["abcde", "ab", "ab", "abcde", "ab", "ab", "abcde", "ab", "ab", "ab"]
PICTURE_EXTENSIONS = (".JPG", ".BMP")
MEDIA_EXTENSIONS = PICTURE_EXTENSIONS + (".TXT",)
MAX_QUESTIONS = 1000


def marker(line, prefix):
    # Markers are the first two characters, compared without regard to case.
    return line[:2].upper() == prefix


def split_crlf(data, what, problems):
    """The lines of an 8-bit CR LF file, or None when its line ends are wrong."""
    if not data.endswith(b"\r\n"):
        problems.append(f"{what}: does not end with CR LF")
        return None
    body = data[:-2]
    if b"\n" in body.replace(b"\r\n", b"") or b"\r" in body.replace(b"\r\n", b""):
        problems.append(f"{what}: has a line end other than CR LF")
        return None
    try:
        text = data.decode("ascii")
    except UnicodeDecodeError as error:
        problems.append(f"{what}: byte {error.start} is not plain ASCII")
        return None
    return text[:-2].split("\r\n")


def check_format(line):
    if line.upper() in ("FONT", "RESERVED"):
        return None
    if len(line) != 10:
        return "is neither FONT, RESERVED nor a ten-letter code"
    for place, (letter, allowed) in enumerate(zip(line.lower(), FORMAT_LETTERS), 1):
        if letter not in allowed:
            return f"has '{letter}' at place {place} (allowed: {allowed})"
    return None


def check_topic(path, media_dir, used, problems):
    what = str(path)
    lines = split_crlf(path.read_bytes(), what, problems)
    if lines is None:
        return 0

    questions = sum(marker(line, "[Q") for line in lines)
    answers = sum(marker(line, "[A") for line in lines)
    if questions != answers:
        problems.append(f"{what}: {questions} \"[Q\" lines but {answers} \"[A\" lines")
    if "[[qend" not in lines:
        problems.append(f"{what}: no exact \"[[qend\" line")
    elif lines[-1] != "[[qend" or lines.count("[[qend") != 1:
        problems.append(f"{what}: \"[[qend\" must be the last line, once")
    if questions < 2:
        problems.append(f"{what}: {questions} questions, at least 2 are needed")
    if questions > MAX_QUESTIONS:
        problems.append(f"{what}: {questions} questions, at most {MAX_QUESTIONS} fit")

    # Walk the records: label, media, format, question lines, "[A", answer lines.
    body = lines[:-1] if lines and lines[-1] == "[[qend" else lines
    i = 0
    number = 0
    while i < len(body):
        number += 1
        where = f"{what}: question {number}"
        if body[i] != f"[Q{number}":
            problems.append(f"{where}: label line is {body[i]!r}, expected '[Q{number}'")
            return questions
        if i + 2 >= len(body):
            problems.append(f"{where}: record ends before its format line")
            return questions
        media, fmt = body[i + 1], body[i + 2]
        check_media(media, media_dir, used, where, problems)
        error = check_format(fmt)
        if error:
            problems.append(f"{where}: format line {fmt!r} {error}")
        j = i + 3
        start = j
        while j < len(body) and not marker(body[j], "[A"):
            if marker(body[j], "[Q"):
                break
            j += 1
        if j == start:
            problems.append(f"{where}: no question line")
        if j >= len(body) or not marker(body[j], "[A"):
            problems.append(f"{where}: no \"[A\" line")
            return questions
        j += 1
        start = j
        while j < len(body) and not marker(body[j], "[Q"):
            j += 1
        if j == start:
            problems.append(f"{where}: no answer line")
        blank = [k for k in range(i + 3, j) if body[k] == ""]
        if blank:
            problems.append(f"{where}: has an empty line")
        i = j
    return questions


def check_media(media, media_dir, used, where, problems):
    if media.upper() == "MEDIA":
        return
    if media == "":
        # Passes the loader, but the picture area then reads "invalid".
        problems.append(f"{where}: empty media line (use MEDIA for the default picture)")
        return
    extension = media[-4:]
    if extension.upper() not in MEDIA_EXTENSIONS:
        problems.append(f"{where}: media line {media!r} is no picture or text file")
        return
    if extension != extension.upper():
        problems.append(f"{where}: media line {media!r}: write the extension in capitals")
    if not (media_dir / media).is_file():
        problems.append(f"{where}: media file {media!r} is not in {media_dir}")
        return
    used.add(media)


def main(argv):
    root = pathlib.Path(argv[1] if len(argv) > 1 else
                        pathlib.Path(__file__).resolve().parent.parent / "demo")
    problems = []
    subjects_dir = root / "subjects"
    media_dir = root / "mediafiles"

    if not (root / "default.jpg").is_file():
        problems.append(f"{root}: default.jpg is missing")
    subjects = sorted(p for p in subjects_dir.iterdir() if p.is_dir()) if subjects_dir.is_dir() else []
    if not subjects:
        problems.append(f"{subjects_dir}: no subject folders")

    used = set()
    topics = 0
    total = 0
    for subject in subjects:
        if "." in subject.name:
            problems.append(f"{subject}: a subject name must not contain a dot")
        files = sorted(p for p in subject.iterdir() if p.is_file())
        if not any(p.suffix == ".txt" for p in files):
            problems.append(f"{subject}: no topics")
        for path in files:
            if path.suffix != ".txt" or "." in path.stem:
                problems.append(f"{path}: a topic file is named <topic>.txt, with no other dot")
                continue
            topics += 1
            total += check_topic(path, media_dir, used, problems)

    if media_dir.is_dir():
        for path in sorted(media_dir.iterdir()):
            if path.name not in used:
                problems.append(f"{path}: no question names this media file")
            if path.suffix == ".TXT":
                split_crlf(path.read_bytes(), str(path), problems)

    for problem in problems:
        print(problem, file=sys.stderr)
    print(f"{len(subjects)} subjects, {topics} topics, {total} questions, "
          f"{len(used)} media files used: "
          + ("OK" if not problems else f"{len(problems)} problems"))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
