#!/usr/bin/env python3
"""Writes the example files of other programs that Cardwise imports: capitals.apkg (an Anki
package in the legacy form: collection.anki2, a JSON media map, the pictures as numbered
entries) and vocabulary.kvtml (a KWordQuiz vocabulary naming a picture beside it).
Run from anywhere: python3 examples/make_foreign_examples.py"""
import json
import os
import sqlite3
import tempfile
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))

MODELS = {
    "1": {"name": "Basic", "type": 0,
          "flds": [{"name": "Front", "ord": 0}, {"name": "Back", "ord": 1}],
          "tmpls": [{"ord": 0, "qfmt": "{{Front}}",
                     "afmt": "{{FrontSide}}\n\n<hr id=answer>\n\n{{Back}}"}]},
    "2": {"name": "Cloze", "type": 1,
          "flds": [{"name": "Text", "ord": 0}, {"name": "Back Extra", "ord": 1}],
          "tmpls": [{"ord": 0, "qfmt": "{{cloze:Text}}",
                     "afmt": "{{cloze:Text}}<br>\n{{Back Extra}}"}]},
}

NOTES = [  # note type, fields, tags, card numbers
    (1, ["Capital of <b>Germany</b>?", "Berlin<br><img src=\"germany.png\">"], "Capitals", [0]),
    (1, ["Capital of France?", "Paris &amp; its 20 arrondissements"], "Capitals", [0]),
    (1, ["Capital of Italy?", "Rome"], "Capitals", [0]),
    (2, ["{{c1::Vienna}} is the capital of {{c2::Austria::country}}.", "On the Danube."],
     "Capitals", [0, 1]),
]


def write_apkg(path):
    with tempfile.TemporaryDirectory() as tmp:
        db_path = os.path.join(tmp, "collection.anki2")
        db = sqlite3.connect(db_path)
        db.executescript("""
            CREATE TABLE col (id integer primary key, crt integer, mod integer, scm integer,
              ver integer, dty integer, usn integer, ls integer, conf text, models text,
              decks text, dconf text, tags text);
            CREATE TABLE notes (id integer primary key, guid text, mid integer, mod integer,
              usn integer, tags text, flds text, sfld integer, csum integer, flags integer,
              data text);
            CREATE TABLE cards (id integer primary key, nid integer, did integer, ord integer,
              mod integer, usn integer, type integer, queue integer, due integer, ivl integer,
              factor integer, reps integer, lapses integer, left integer, odue integer,
              odid integer, flags integer, data text);""")
        db.execute("INSERT INTO col VALUES (1,0,0,0,11,0,0,0,'{}',?,'{}','{}','{}')",
                   (json.dumps(MODELS),))
        card_id = 1
        for n, (mid, fields, tags, ords) in enumerate(NOTES):
            nid = 1000 + n
            db.execute("INSERT INTO notes VALUES (?,?,?,0,0,?,?,0,0,0,'')",
                       (nid, "g%d" % n, mid, " %s " % tags, "\x1f".join(fields)))
            for ord_ in ords:
                db.execute("INSERT INTO cards VALUES (?,?,1,?,0,0,0,0,0,0,0,0,0,0,0,0,0,'')",
                           (card_id, nid, ord_))
                card_id += 1
        db.commit()
        db.close()
        with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
            z.write(db_path, "collection.anki2")
            z.writestr("media", json.dumps({"0": "germany.png"}))
            z.write(os.path.join(HERE, "germany.png"), "0")


KVTML = """<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE kvtml PUBLIC "kvtml2.dtd" "http://edu.kde.org/kvtml/kvtml2.dtd">
<kvtml version="2.0">
  <information><generator>make_foreign_examples.py</generator><title>Vocabulary</title></information>
  <identifiers>
    <identifier id="0"><name>English</name><locale>en</locale></identifier>
    <identifier id="1"><name>German</name><locale>de</locale></identifier>
  </identifiers>
  <entries>
    <entry id="0">
      <translation id="0"><text>flag of Italy</text><image>italy.jpg</image></translation>
      <translation id="1"><text>die Flagge Italiens</text></translation>
    </entry>
    <entry id="1">
      <translation id="0"><text>they bought a Porsche</text></translation>
      <translation id="1"><text>sie haben [einen Porsche] gekauft</text></translation>
    </entry>
    <entry id="2">
      <translation id="0"><text>coffee &amp; cake</text></translation>
      <translation id="1"><text>Kaffee und Kuchen</text></translation>
    </entry>
  </entries>
</kvtml>
"""

if __name__ == "__main__":
    write_apkg(os.path.join(HERE, "capitals.apkg"))
    with open(os.path.join(HERE, "vocabulary.kvtml"), "w", encoding="utf-8") as f:
        f.write(KVTML)
