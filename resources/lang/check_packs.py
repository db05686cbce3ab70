#!/usr/bin/env python3
"""Checks the language packs under resources/ before they are compiled in.

Every language of the main pack must carry every entry, the fixed English texts
must be the ones the program shows, and each file must stay inside the narrow XML
dialect that the program's own reader understands (no declaration, attributes on
one line, only the entities it decodes).

Usage: check_packs.py [RESOURCES_DIR]   (default: the folder above this script)
Exit status 0 when every pack passes, 1 otherwise.
"""

import os
import re
import sys
import xml.etree.ElementTree as ET

# The languages of the main pack, in menu order: tagName, engName, trueName.
LANGUAGES = [
    ("eng", "English", "English"),
    ("bel", "Belarusian", "Беларускі"),
    ("cze", "Czech", "Cestina"),
    ("cpn", "Serbian_Cyrillic", "Српски"),
    ("deu", "German", "Deutsch"),
    ("ell", "Greek", "Ελληνικά"),
    ("fra", "French", "Français"),
    ("ita", "Italian", "Italiano"),
    ("hun", "Hungarian", "Magyar"),
    ("bra", "Portuguese_Brazilian", "Português do Brasil"),
    ("rus", "Russian", "Русский"),
    ("tur", "Turkish", "Türkçe"),
    ("zhs", "Chinese_Simplified", "简体中文"),
    ("jpn", "Japanese", "日本語"),
    ("kor", "Korean", "한국어"),
    ("ara", "Arabic", "عربي (Partial)"),
    ("ind", "Indonesian", "Bahasa Indonesia (Partial)"),
    ("bul", "Bulgarian", "Български (Partial)"),
    ("zht", "Chinese_Traditional", "繁體中文 (Partial)"),
    ("dan", "Danish", "Dansk (Partial)"),
    ("est", "Estonian", "Eesti (Partial)"),
    ("spa", "Spanish", "Español (Partial)"),
    ("hrv", "Croatian", "Hrvatski (Partial)"),
    ("nld", "Dutch", "Nederlands (Partial)"),
    ("per", "Persian", "فارسی (Partial)"),
    ("pol", "Polish", "Polski (Partial)"),
    ("rom", "Romanian", "Română (Partial)"),
    ("srp", "Serbian_Latin", "Srpski (Partial)"),
    ("slk", "Slovak", "Slovensky (Partial)"),
    ("fin", "Finnish", "Suomeksi (Partial)"),
    ("swe", "Swedish", "Svenska (Partial)"),
    ("ukr", "Ukrainian", "Українська (Partial)"),
    ("vec", "Venetian", "Vèneto Vec-to (Partial)"),
    ("vie", "Vietnamese", "Việt Nam (Partial)"),
]

MAIN_IDS = [
    100000, 101000, 105000, 106000, 107000, 108000, 108100, 108200, 108500, 300000,
    400010, 400020, 400030, 400050, 400080, 400100, 400110, 400120,
    500000, 500001, 500002, 500003, 500004, 500006, 500010, 500020, 500030, 500050,
    500051, 500089, 500090, 500100,
    609000, 609100, 609300, 609350, 609420, 609440, 609450, 609460,
    700000, 700001, 701000, 701100, 701200, 701300,
    1000000, 1001000, 1002000, 1003000, 1004000, 1005000, 2010000000, 2010001000,
]

# Languages that have no translation of an entry and fall back to English.
MISSING = {1000000: {"rom", "vec"}}

# English texts that the program's screens and documents rely on word for word.
ENGLISH = {
    107000: "More Software from Tarn (online)",
    108100: "Using at Workplace? (online)",
    300000: "Tarn Vesper",
    400010: "Version:",
    400020: "Last Updated:",
    400050: "License:",
    400080: "URL:",
    400100: "Version Information",
    400120: "Close",
    500089: "Is this freeware useful?",
    500090: "Please support us via donation.",
    609000: "View",
    609100: "Keep on Top",
    609300: "Easy Drag",
    609350: "Close By Mouse-Wheel Click",
    700000: "Language",
    700001: "Translate? (online)",
    701000: "About",
    701100: "Version Information",
    701200: "Software Page (online)",
    701300: "Tell Developers (online)",
    1000000: "Ready to Use!",
    1001000: "Stand By",
    1002000: "Hibernate",
    1003000: "Log Off",
    1004000: "Reboot",
    1005000: "Shutdown",
}

# Every web address of the main pack starts with this base and one language folder.
BASE_ADDRESS = "https://vesper.example.org/"
ADDRESS_IDS = [101000, 106000, 108000, 108200, 108500, 500003, 500004, 500006, 500100]

# Entries whose text is the same in every language.
SAME_EVERYWHERE = {300000: "Tarn Vesper", 500000: None, 500010: None}

# The buttons of the 230-pixel main window: a longer text would be cut off.
BUTTON_IDS = [1001000, 1002000, 1003000, 1004000, 1005000]
BUTTON_MAX_CHARS = 28

# Names that stay untranslated wherever they occur.
NAMED = {100000: "Tarn", 107000: "Tarn", 300000: "Tarn Vesper", 500000: "Vesper"}

MENU_LANGUAGES = [("eng", "English", "English"), ("jpn", "Japanese", "日本語")]
MENU_SHORT = {
    1990000000: "System...", 1998000000: "Vesper", 1998010000: "Suspend",
    1998020000: "Hibernate", 1998030000: "Log Off", 1998040000: "Reboot",
    1998050000: "Shutdown",
}
MENU_LONG = {
    1990000000: "System", 1998000000: "Vesper", 1998010000: "Suspend the System",
    1998020000: "Hibernate the System", 1998030000: "Log Off from the System",
    1998040000: "Reboot the System", 1998050000: "Shutdown the System",
}
MENU_FOLDER = {1990000000: "System"}

# resource id -> (file under resources/, languages, expected English texts or None for the main pack)
PACKS = {
    130: ("lang/main.xml", LANGUAGES, None),
    135: ("lang/menu_short.xml", MENU_LANGUAGES, MENU_SHORT),
    136: ("lang/menu_long.xml", MENU_LANGUAGES, MENU_LONG),
    137: ("lang/menu_folder.xml", MENU_LANGUAGES, MENU_FOLDER),
}

# The program's reader decodes only these entities; any other stays literal text.
TEXT_ENTITIES = {"&amp;", "&lt;", "&gt;", "&#160;", "&#13;", "&#10;"}
ATTR_ENTITIES = {"&amp;", "&lt;", "&quot;", "&#13;", "&#10;"}
TAG = re.compile(r'<(?:[^>"]|"[^"]*")*>')
ENTITY = re.compile(r"&[^;&<\s]*;?")


class Report:
    def __init__(self):
        self.failures = []

    def fail(self, where, what):
        self.failures.append("%s: %s" % (where, what))


def check_dialect(raw, where, report):
    """Rules of the program's own single-pass reader that a general XML parser does not enforce."""
    if not raw.startswith("<lang"):
        report.fail(where, "must start with the root element <lang> (no declaration, byte-order mark or comment)")
    pos = 0
    for m in TAG.finditer(raw):
        for e in ENTITY.findall(raw[pos:m.start()]):
            if e not in TEXT_ENTITIES:
                report.fail(where, "text entity %r is not decoded by the reader" % e)
        tag = m.group(0)
        pos = m.end()
        if tag.startswith("<!--"):
            continue
        if "\t" in tag or "\n" in tag or "\r" in tag:
            report.fail(where, "start tag spans lines or holds a tab: %r" % tag[:60])
        if "'" in re.sub(r'"[^"]*"', "", tag):
            report.fail(where, "single-quoted attribute in %r" % tag[:60])
        if re.search(r"\s=|=\s", re.sub(r'"[^"]*"', '""', tag)):
            report.fail(where, "blank around '=' in %r" % tag[:60])
        for value in re.findall(r'"([^"]*)"', tag):
            for e in ENTITY.findall(value):
                if e not in ATTR_ENTITIES:
                    report.fail(where, "attribute entity %r is not decoded by the reader" % e)


def read_pack(root, where, languages, report):
    """Returns {id: {tag: text}} after checking the language list and the entry shapes."""
    if root.tag != "lang":
        report.fail(where, "root element is %r, not 'lang'" % root.tag)
    langs = root.find("languages")
    got = [] if langs is None else [
        (e.get("tagName"), e.get("engName"), e.get("trueName")) for e in langs.findall("entry")]
    if got != languages:
        for i in range(max(len(got), len(languages))):
            a = got[i] if i < len(got) else None
            b = languages[i] if i < len(languages) else None
            if a != b:
                report.fail(where, "language %d is %r, expected %r" % (i, a, b))
    tags = [t for t, _, _ in languages]
    entries = {}
    section = root.find("entries")
    for entry in ([] if section is None else section.findall("entry")):
        raw_id = entry.get("id", "")
        spot = "%s entry %s" % (where, raw_id)
        if not re.fullmatch(r"-?[0-9]+", raw_id) or not -2**31 <= int(raw_id) < 2**31:
            report.fail(spot, "id is not a signed 32-bit number")
            continue
        number = int(raw_id)
        if number in entries:
            report.fail(spot, "entry appears twice")
            continue
        children = list(entry)
        if not children or children[0].tag != "eng":
            report.fail(spot, "English must be the first translation (it is the fallback)")
        texts = {}
        for child in children:
            if child.tag not in tags:
                report.fail(spot, "translation for unknown language %r" % child.tag)
            elif child.tag in texts:
                report.fail(spot, "two translations for %s" % child.tag)
            elif len(child):
                report.fail(spot, "%s holds elements instead of text" % child.tag)
            else:
                text = child.text or ""
                if not text.strip():
                    report.fail(spot, "%s is empty" % child.tag)
                elif text != text.strip():
                    report.fail(spot, "%s has white space at an end, which the reader drops" % child.tag)
                elif "\n" in text or "\r" in text:
                    report.fail(spot, "%s spans lines" % child.tag)
                texts[child.tag] = text
        entries[number] = texts
    return entries


def check_coverage(entries, where, ids, tags, missing, report):
    for number in sorted(set(entries) - set(ids)):
        report.fail(where, "unexpected entry %d" % number)
    for number in ids:
        if number not in entries:
            report.fail(where, "entry %d is missing" % number)
            continue
        absent = {t for t in tags if t not in entries[number]}
        expected = missing.get(number, set())
        if absent != expected:
            report.fail("%s entry %d" % (where, number),
                        "languages without text: %s (expected: %s)" % (
                            ", ".join(sorted(absent)) or "none", ", ".join(sorted(expected)) or "none"))


def check_english(entries, where, english, report):
    for number, text in english.items():
        got = entries.get(number, {}).get("eng")
        if got is not None and got != text:
            report.fail("%s entry %d" % (where, number), "English text is %r, expected %r" % (got, text))


def check_main_rules(entries, where, report):
    for number, text in SAME_EVERYWHERE.items():
        values = set(entries.get(number, {}).values())
        if len(values) > 1 or (text is not None and values and values != {text}):
            report.fail("%s entry %d" % (where, number), "must read the same in every language: %s" % sorted(values))
    for number, name in NAMED.items():
        for tag, text in entries.get(number, {}).items():
            if name not in text:
                report.fail("%s entry %d" % (where, number), "%s does not keep the name %r" % (tag, name))
    folders = {}
    for number in ADDRESS_IDS:
        for tag, text in entries.get(number, {}).items():
            if not text.startswith(BASE_ADDRESS):
                report.fail("%s entry %d" % (where, number), "%s address %r is not under %s" % (tag, text, BASE_ADDRESS))
                continue
            folder = text[len(BASE_ADDRESS):].split("/", 1)[0]
            if folders.setdefault(tag, folder) != folder:
                report.fail("%s entry %d" % (where, number), "%s mixes language folders %r and %r" % (tag, folders[tag], folder))
    for number in BUTTON_IDS:
        for tag, text in entries.get(number, {}).items():
            if len(text) > BUTTON_MAX_CHARS:
                report.fail("%s entry %d" % (where, number), "%s button text %r is too long for the window" % (tag, text))


def check_index(folder, report):
    path = os.path.join(folder, "resources.txt")
    listed = {}
    try:
        with open(path, encoding="utf-8") as f:
            for line in f:
                line = line.strip()
                if not line or line.startswith("#"):
                    continue
                parts = line.split()
                if len(parts) != 3 or not parts[0].isdigit():
                    report.fail("resources.txt", "malformed line %r" % line)
                    continue
                listed[int(parts[0])] = (parts[1], parts[2])
    except OSError as e:
        report.fail("resources.txt", str(e))
        return
    for number, (file, _, _) in PACKS.items():
        if listed.get(number) != ("IDR_XML", file):
            report.fail("resources.txt", "resource %d should be 'IDR_XML %s', is %r" % (number, file, listed.get(number)))


def check_pack(folder, number, report):
    file, languages, english = PACKS[number]
    where = "%d %s" % (number, file)
    try:
        with open(os.path.join(folder, file), "rb") as f:
            data = f.read()
        raw = data.decode("utf-8")
    except (OSError, UnicodeDecodeError) as e:
        report.fail(where, "cannot read as UTF-8: %s" % e)
        return
    check_dialect(raw, where, report)
    try:
        root = ET.fromstring(data)
    except ET.ParseError as e:
        report.fail(where, "not well-formed: %s" % e)
        return
    entries = read_pack(root, where, languages, report)
    tags = [t for t, _, _ in languages]
    if english is None:
        check_coverage(entries, where, MAIN_IDS, tags, MISSING, report)
        check_english(entries, where, ENGLISH, report)
        check_main_rules(entries, where, report)
    else:
        check_coverage(entries, where, list(english), tags, {}, report)
        check_english(entries, where, english, report)


def main(argv):
    folder = argv[1] if len(argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    report = Report()
    check_index(folder, report)
    for number in PACKS:
        check_pack(folder, number, report)
    for line in report.failures:
        print("FAIL " + line)
    if report.failures:
        print("language packs: %d problem(s)" % len(report.failures))
        return 1
    print("language packs: %d packs, %d languages x %d entries in the main pack, all complete"
          % (len(PACKS), len(LANGUAGES), len(MAIN_IDS)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
