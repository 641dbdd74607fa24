<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>HistoryCsv</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>Levels</name>
    <message>
        <source>Level %1: %2 Major</source>
        <translation>Stufe %1: %2-Dur</translation>
    </message>
</context>
<context>
    <name>Modules</name>
    <message>
        <source>the module %1 is missing</source>
        <translation>das Modul %1 fehlt</translation>
    </message>
    <message>
        <source>the module %1 did not load</source>
        <translation>das Modul %1 ließ sich nicht laden</translation>
    </message>
    <message>
        <source>the module %1 has no %2</source>
        <translation>dem Modul %1 fehlt %2</translation>
    </message>
    <message>
        <source>the module %1 belongs to another version of the program</source>
        <translation>das Modul %1 gehört zu einer anderen Version des Programms</translation>
    </message>
</context>
<context>
    <name>NoteFigures</name>
    <message>
        <source>%1.%2 s</source>
        <translation>%1,%2 s</translation>
    </message>
</context>
<context>
    <name>NoteNames</name>
    <message>
        <source>Do</source>
        <translation>Do</translation>
    </message>
    <message>
        <source>Re</source>
        <translation>Re</translation>
    </message>
    <message>
        <source>Mi</source>
        <translation>Mi</translation>
    </message>
    <message>
        <source>Fa</source>
        <translation>Fa</translation>
    </message>
    <message>
        <source>Sol</source>
        <translation>Sol</translation>
    </message>
    <message>
        <source>La</source>
        <translation>La</translation>
    </message>
    <message>
        <source>Si</source>
        <translation>Si</translation>
    </message>
</context>
<context>
    <name>ProgressStats</name>
    <message>
        <source>Lines: %1 notes a minute</source>
        <translation>Zeilen: %1 Noten pro Minute</translation>
    </message>
    <message>
        <source>, %1 of %2 on time (%3)</source>
        <translation>, %1 von %2 im Takt (%3)</translation>
    </message>
    <message>
        <source>%1 (treble)</source>
        <translation>%1 (Violinschlüssel)</translation>
    </message>
    <message>
        <source>%1 (bass)</source>
        <translation>%1 (Bassschlüssel)</translation>
    </message>
    <message>
        <source>%1 — %2 of %3 right, median %4</source>
        <translation>%1 — %2 von %3 richtig, Median %4</translation>
    </message>
    <message>
        <source>%1: not asked yet</source>
        <translation>%1: noch nicht gefragt</translation>
    </message>
    <message>
        <source>%1: %2 answers, %3 right, median %4</source>
        <translation>%1: %2 Antworten, %3 richtig, Median %4</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 h %2 min</translation>
    </message>
    <message>
        <source>%1 (alto)</source>
        <translation>%1 (Altschlüssel)</translation>
    </message>
    <message>
        <source>%1 (tenor)</source>
        <translation>%1 (Tenorschlüssel)</translation>
    </message>
    <message>
        <source>%1 (octave treble)</source>
        <translation>%1 (oktavierter Violinschlüssel)</translation>
    </message>
</context>
<context>
    <name>SavedLevel</name>
    <message>
        <source>The level reached (level %1) could not be saved in %2.

%3.</source>
        <translation>Die erreichte Stufe (Stufe %1) konnte nicht in %2 gespeichert werden.

%3.</translation>
    </message>
</context>
<context>
    <name>TApplication</name>
    <message>
        <source>Unknown error</source>
        <translation>Unbekannter Fehler</translation>
    </message>
</context>
<context>
    <name>TChordExercise</name>
    <message>
        <source>minor second</source>
        <translation>kleine Sekunde</translation>
    </message>
    <message>
        <source>major second</source>
        <translation>große Sekunde</translation>
    </message>
    <message>
        <source>minor third</source>
        <translation>kleine Terz</translation>
    </message>
    <message>
        <source>major third</source>
        <translation>große Terz</translation>
    </message>
    <message>
        <source>perfect fourth</source>
        <translation>reine Quarte</translation>
    </message>
    <message>
        <source>augmented fourth</source>
        <translation>übermäßige Quarte</translation>
    </message>
    <message>
        <source>diminished fifth</source>
        <translation>verminderte Quinte</translation>
    </message>
    <message>
        <source>perfect fifth</source>
        <translation>reine Quinte</translation>
    </message>
    <message>
        <source>minor sixth</source>
        <translation>kleine Sexte</translation>
    </message>
    <message>
        <source>major sixth</source>
        <translation>große Sexte</translation>
    </message>
    <message>
        <source>minor seventh</source>
        <translation>kleine Septime</translation>
    </message>
    <message>
        <source>major seventh</source>
        <translation>große Septime</translation>
    </message>
    <message>
        <source>octave</source>
        <translation>Oktave</translation>
    </message>
    <message>
        <source>%1 major</source>
        <translation>%1-Dur</translation>
    </message>
    <message>
        <source>%1 minor</source>
        <translation>%1-Moll</translation>
    </message>
    <message>
        <source>%1 diminished</source>
        <translation>%1 vermindert</translation>
    </message>
    <message>
        <source>%1 augmented</source>
        <translation>%1 übermäßig</translation>
    </message>
    <message>
        <source>%1 major seventh</source>
        <translation>%1-Dur mit großer Septime</translation>
    </message>
    <message>
        <source>%1 dominant seventh</source>
        <translation>%1 Dominantseptakkord</translation>
    </message>
    <message>
        <source>%1 minor seventh</source>
        <translation>%1-Moll-Septakkord</translation>
    </message>
    <message>
        <source>%1 half-diminished seventh</source>
        <translation>%1 halbverminderter Septakkord</translation>
    </message>
    <message>
        <source>%1 diminished seventh</source>
        <translation>%1 verminderter Septakkord</translation>
    </message>
    <message>
        <source>first inversion</source>
        <translation>erste Umkehrung</translation>
    </message>
    <message>
        <source>second inversion</source>
        <translation>zweite Umkehrung</translation>
    </message>
    <message>
        <source>third inversion</source>
        <translation>dritte Umkehrung</translation>
    </message>
</context>
<context>
    <name>TChordReading</name>
    <message>
        <source>Play the chord! </source>
        <translation>Spiele den Akkord! </translation>
    </message>
    <message>
        <source>Play the interval! </source>
        <translation>Spiele das Intervall! </translation>
    </message>
    <message>
        <source>Hold all its keys down together, or click them one after another.</source>
        <translation>Halte alle seine Tasten zusammen gedrückt oder klicke sie nacheinander an.</translation>
    </message>
</context>
<context>
    <name>TExportProgress</name>
    <message>
        <source>Cancel export</source>
        <translation>Export abbrechen</translation>
    </message>
    <message>
        <source>Exporting…</source>
        <translation>Exportiere …</translation>
    </message>
    <message>
        <source>Exporting… %1 %</source>
        <translation>Exportiere … %1 %</translation>
    </message>
</context>
<context>
    <name>TGameCore</name>
    <message>
        <source>What note is this? </source>
        <translation>Welche Note ist das? </translation>
    </message>
    <message>
        <source>Click on any corresponding key on the keyboard!</source>
        <translation>Klicke auf eine passende Taste der Klaviatur!</translation>
    </message>
</context>
<context>
    <name>TGameLabels</name>
    <message>
        <source>Congratulations!! Press &quot;Start&quot; to play the next level!</source>
        <translation>Glückwunsch!! Drücke „Start“ für die nächste Stufe!</translation>
    </message>
    <message>
        <source>Congratulations!! You definitely know your notes!</source>
        <translation>Glückwunsch!! Du kennst deine Noten wirklich!</translation>
    </message>
    <message>
        <source>Please repeat this level!</source>
        <translation>Bitte wiederhole diese Stufe!</translation>
    </message>
    <message>
        <source>%1 SEC.</source>
        <translation>%1 SEK.</translation>
    </message>
    <message>
        <source>RIGHT!</source>
        <translation>RICHTIG!</translation>
    </message>
    <message>
        <source>WRONG!</source>
        <translation>FALSCH!</translation>
    </message>
    <message>
        <source>Well done!! You reached the goal.</source>
        <translation>Gut gemacht!! Du hast das Ziel erreicht.</translation>
    </message>
</context>
<context>
    <name>THistoryModule</name>
    <message>
        <source>History is not being kept: %1</source>
        <translation>Der Verlauf wird nicht gespeichert: %1</translation>
    </message>
</context>
<context>
    <name>THistoryStore</name>
    <message>
        <source>History is not being kept: %1</source>
        <translation>Der Verlauf wird nicht gespeichert: %1</translation>
    </message>
    <message>
        <source>the file %1 cannot be read and cannot be moved aside</source>
        <translation>die Datei %1 kann weder gelesen noch beiseitegelegt werden</translation>
    </message>
    <message>
        <source>the file %1 cannot be moved aside</source>
        <translation>die Datei %1 kann nicht beiseitegelegt werden</translation>
    </message>
    <message>
        <source>the folder %1 cannot be made</source>
        <translation>der Ordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>%1 is not a file</source>
        <translation>%1 ist keine Datei</translation>
    </message>
    <message>
        <source>the file %1 is in use (%2)</source>
        <translation>die Datei %1 wird gerade benutzt (%2)</translation>
    </message>
    <message>
        <source>The history file was damaged. It is kept as %1, and a new history has begun.</source>
        <translation>Die Verlaufsdatei war beschädigt. Sie bleibt als %1 erhalten, und ein neuer Verlauf hat begonnen.</translation>
    </message>
    <message>
        <source>The history file belonged to another program. It is kept as %1, and a new history has begun.</source>
        <translation>Die Verlaufsdatei gehörte zu einem anderen Programm. Sie bleibt als %1 erhalten, und ein neuer Verlauf hat begonnen.</translation>
    </message>
    <message>
        <source>The history file was written by a newer version of Lirasto Notes. It is kept as %1, and a new history has begun.</source>
        <translation>Die Verlaufsdatei wurde von einer neueren Version von Lirasto Notes geschrieben. Sie bleibt als %1 erhalten, und ein neuer Verlauf hat begonnen.</translation>
    </message>
    <message>
        <source>the file %1 cannot be opened (%2)</source>
        <translation>die Datei %1 kann nicht geöffnet werden (%2)</translation>
    </message>
    <message>
        <source>the file %1 cannot be written (%2)</source>
        <translation>die Datei %1 kann nicht geschrieben werden (%2)</translation>
    </message>
    <message>
        <source>the file %1 was changed by a newer version of Lirasto Notes</source>
        <translation>die Datei %1 wurde von einer neueren Version von Lirasto Notes geändert</translation>
    </message>
    <message>
        <source>the file %1 cannot be brought up to date (%2)</source>
        <translation>die Datei %1 kann nicht auf den neuesten Stand gebracht werden (%2)</translation>
    </message>
    <message>
        <source>the file %1 cannot be read (%2)</source>
        <translation>die Datei %1 kann nicht gelesen werden (%2)</translation>
    </message>
    <message>
        <source>a run cannot be written (%1)</source>
        <translation>ein Durchgang kann nicht gespeichert werden (%1)</translation>
    </message>
    <message>
        <source>an answer cannot be written (%1)</source>
        <translation>eine Antwort kann nicht gespeichert werden (%1)</translation>
    </message>
    <message>
        <source>the history cannot be cleared (%1)</source>
        <translation>der Verlauf kann nicht gelöscht werden (%1)</translation>
    </message>
</context>
<context>
    <name>TKeyboardInput</name>
    <message>
        <source> KEYS AND MIDI
 o Keys %1
 o Space starts, Escape resets
 o A MIDI keyboard answers too</source>
        <translation> TASTEN UND MIDI
 o Tasten %1
 o Leertaste startet, Esc setzt zurück
 o Ein MIDI-Keyboard antwortet auch</translation>
    </message>
    <message>
        <source>Piano rows: %1</source>
        <translation>Klavierreihen: %1</translation>
    </message>
    <message>
        <source>%1, %2; %3 %4 octave</source>
        <translation>%1, %2; %3 %4 Oktave</translation>
    </message>
    <message>
        <source>Note names: C D E F G A B; Shift sharp, Ctrl flat</source>
        <translation>Englische Buchstaben C D E F G A B (B = H); Umschalt ♯, Strg ♭</translation>
    </message>
    <message>
        <source>Note names: Latin C D E F G A B; Shift sharp, Ctrl flat</source>
        <translation>Tasten der lateinischen Buchstaben C D E F G A B (B = H); Umschalt ♯, Strg ♭</translation>
    </message>
</context>
<context>
    <name>TLineSummary</name>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>On time: %1 · misses: %2</source>
        <translation>Pünktlich: %1 · Fehler: %2</translation>
    </message>
    <message>
        <source> · median timing: %1 ms early</source>
        <translation> · Abweichung (Median): %1 ms zu früh</translation>
    </message>
    <message>
        <source> · median timing: %1 ms late</source>
        <translation> · Abweichung (Median): %1 ms zu spät</translation>
    </message>
    <message>
        <source>Right at the first try: %1 · misses: %2 · median time per note: %3</source>
        <translation>Beim ersten Versuch richtig: %1 · Fehler: %2 · Zeit pro Note (Median): %3</translation>
    </message>
</context>
<context>
    <name>TMicrophoneHookup</name>
    <message>
        <source>%1 dB</source>
        <translation>%1 dB</translation>
    </message>
    <message>
        <source>The room&apos;s noise: %1</source>
        <translation>Raumgeräusch: %1</translation>
    </message>
    <message>
        <source>Listening to the room for two seconds...</source>
        <translation>Höre zwei Sekunden lang in den Raum...</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>No microphone: %1</source>
        <translation>Kein Mikrofon: %1</translation>
    </message>
    <message>
        <source>Listening</source>
        <translation>Hört zu</translation>
    </message>
    <message>
        <source>Listening on %1</source>
        <translation>Hört zu an %1</translation>
    </message>
    <message>
        <source>%1  %2%3 cents</source>
        <translation>%1  %2%3 Cent</translation>
    </message>
</context>
<context>
    <name>TMidiInput</name>
    <message>
        <source>No MIDI input found</source>
        <translation>Kein MIDI-Eingang gefunden</translation>
    </message>
</context>
<context>
    <name>TOptionsPage</name>
    <message>
        <source>Name the keys</source>
        <translation>Tasten beschriften</translation>
    </message>
    <message>
        <source>Octave-exact answers</source>
        <translation>Antworten in der richtigen Oktave</translation>
    </message>
    <message>
        <source>Sound for MIDI keys</source>
        <translation>Klang für MIDI-Tasten</translation>
    </message>
    <message>
        <source>Replay the right note</source>
        <translation>Richtige Note vorspielen</translation>
    </message>
    <message>
        <source>Play the question</source>
        <translation>Frage vorspielen</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Stumm</translation>
    </message>
    <message>
        <source>Drill my weak notes</source>
        <translation>Meine schwachen Noten üben</translation>
    </message>
    <message>
        <source>Mistakes cost points</source>
        <translation>Fehler kosten Punkte</translation>
    </message>
    <message>
        <source>The system&apos;s language</source>
        <translation>Sprache des Systems</translation>
    </message>
    <message>
        <source>As the language teaches them</source>
        <translation>Wie in der Sprache üblich</translation>
    </message>
    <message>
        <source>C D E F G A B (English)</source>
        <translation>C D E F G A B (englisch)</translation>
    </message>
    <message>
        <source>C D E F G A H (German)</source>
        <translation>C D E F G A H (deutsch)</translation>
    </message>
    <message>
        <source>Do Re Mi Fa Sol La Si (fixed do)</source>
        <translation>Do Re Mi Fa Sol La Si (Solmisation)</translation>
    </message>
    <message>
        <source>Connect a keyboard to the JACK port
&quot;%1&quot;</source>
        <translation>Verbinde ein Keyboard mit dem JACK-Port
„%1“</translation>
    </message>
    <message>
        <source>Microphone</source>
        <translation>Mikrofon</translation>
    </message>
</context>
<context>
    <name>TPianoSound</name>
    <message>
        <source>No SoundFont found</source>
        <translation>Keine SoundFont gefunden</translation>
    </message>
    <message>
        <source>No sound output</source>
        <translation>Keine Tonausgabe</translation>
    </message>
    <message>
        <source>No sound output: %1</source>
        <translation>Keine Tonausgabe: %1</translation>
    </message>
    <message>
        <source>No SoundFont found: %1</source>
        <translation>Keine SoundFont gefunden: %1</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 ist keine gewöhnliche Datei</translation>
    </message>
</context>
<context>
    <name>TPracticeChoice</name>
    <message>
        <source>Treble clef</source>
        <translation>Violinschlüssel</translation>
    </message>
    <message>
        <source>Bass clef</source>
        <translation>Bassschlüssel</translation>
    </message>
    <message>
        <source>Grand staff</source>
        <translation>Klaviersystem</translation>
    </message>
    <message>
        <source>Alto clef</source>
        <translation>Altschlüssel</translation>
    </message>
    <message>
        <source>Tenor clef</source>
        <translation>Tenorschlüssel</translation>
    </message>
    <message>
        <source>Treble clef, 8 below</source>
        <translation>Violinschlüssel, 8 darunter</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Sichern...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Key of the level</source>
        <translation>Tonart der Stufe</translation>
    </message>
    <message>
        <source>Random key</source>
        <translation>Zufällige Tonart</translation>
    </message>
    <message>
        <source>No accidentals</source>
        <translation>Ohne Vorzeichen</translation>
    </message>
    <message>
        <source>Chromatic notes</source>
        <translation>Chromatische Noten</translation>
    </message>
    <message>
        <source>Save the practice</source>
        <translation>Übung sichern</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Practice not loaded: %1</source>
        <translation>Übung nicht geladen: %1</translation>
    </message>
    <message>
        <source>The practice was not saved: %1</source>
        <translation>Die Übung wurde nicht gesichert: %1</translation>
    </message>
    <message>
        <source>The practice was not deleted: %1</source>
        <translation>Die Übung wurde nicht gelöscht: %1</translation>
    </message>
</context>
<context>
    <name>TProgressPage</name>
    <message>
        <source>Export history</source>
        <translation>Verlauf exportieren</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>Reset history</source>
        <translation>Verlauf zurücksetzen</translation>
    </message>
    <message>
        <source>Clear every answer and run of the history? This cannot be undone.</source>
        <translation>Alle Antworten und Durchgänge aus dem Verlauf löschen? Das lässt sich nicht rückgängig machen.</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Export history…</source>
        <translation>Verlauf exportieren …</translation>
    </message>
    <message>
        <source>Reset history…</source>
        <translation>Verlauf zurücksetzen …</translation>
    </message>
    <message>
        <source>The history cannot be read: %1</source>
        <translation>Der Verlauf kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>Weakest notes</source>
        <translation>Schwächste Noten</translation>
    </message>
    <message>
        <source>No answers at this level yet.</source>
        <translation>Auf dieser Stufe noch keine Antworten.</translation>
    </message>
    <message>
        <source>Practice today: %1, this week: %2</source>
        <translation>Geübt heute: %1, diese Woche: %2</translation>
    </message>
    <message>
        <source>Runs passed: %1 of %2</source>
        <translation>Bestandene Durchgänge: %1 von %2</translation>
    </message>
    <message>
        <source>Scores of this level&apos;s runs (dashed: the pass line, 300) and median answer time</source>
        <translation>Punkte der Durchgänge dieser Stufe (gestrichelt: Bestehensgrenze, 300) und mittlere Antwortzeit (Median)</translation>
    </message>
    <message>
        <source>The history cannot be cleared now.</source>
        <translation>Der Verlauf kann jetzt nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>The history could not be cleared: %1</source>
        <translation>Der Verlauf konnte nicht gelöscht werden: %1</translation>
    </message>
    <message>
        <source>missed often</source>
        <translation>oft verfehlt</translation>
    </message>
    <message>
        <source>half known</source>
        <translation>halb sicher</translation>
    </message>
    <message>
        <source>right and fast</source>
        <translation>richtig und schnell</translation>
    </message>
    <message>
        <source>not asked yet</source>
        <translation>noch nicht gefragt</translation>
    </message>
    <message>
        <source>%1 answers written to %2</source>
        <translation>%1 Antworten nach %2 geschrieben</translation>
    </message>
    <message>
        <source>at this level</source>
        <translation>auf dieser Stufe</translation>
    </message>
    <message>
        <source>All levels</source>
        <translation>Alle Stufen</translation>
    </message>
    <message>
        <source>Scores of this practice&apos;s runs and median answer time</source>
        <translation>Punkte der Durchgänge dieser Übung und mittlere Antwortzeit (Median)</translation>
    </message>
    <message>
        <source>in this practice</source>
        <translation>in dieser Übung</translation>
    </message>
    <message>
        <source>No answers in this practice yet.</source>
        <translation>In dieser Übung noch keine Antworten.</translation>
    </message>
</context>
<context>
    <name>TRunChart</name>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>No runs of this level yet</source>
        <translation>Noch keine Durchgänge auf dieser Stufe</translation>
    </message>
</context>
<context>
    <name>TRunSummary</name>
    <message>
        <source>note %1</source>
        <translation>Note %1</translation>
    </message>
    <message>
        <source>No note was answered in this run.</source>
        <translation>In diesem Durchgang wurde keine Note beantwortet.</translation>
    </message>
    <message>
        <source>Right at the first try: %1 (%2 of %3)</source>
        <translation>Beim ersten Versuch richtig: %1 (%2 von %3)</translation>
    </message>
    <message>
        <source>Median answer time: %1</source>
        <translation>Mittlere Antwortzeit (Median): %1</translation>
    </message>
    <message>
        <source>missed: none</source>
        <translation>verfehlt: keine</translation>
    </message>
    <message>
        <source>missed: %1</source>
        <translation>verfehlt: %1</translation>
    </message>
</context>
<context>
    <name>TSightReading</name>
    <message>
        <source>Levels</source>
        <translation>Stufen</translation>
    </message>
    <message>
        <source>Sight-reading</source>
        <translation>Vom Blatt spielen</translation>
    </message>
    <message>
        <source>Play the line from left to right! </source>
        <translation>Spiele die Zeile von links nach rechts! </translation>
    </message>
    <message>
        <source>The pointer shows the note due; any key of that note answers.</source>
        <translation>Der Zeiger zeigt die fällige Note; jede Taste dieser Note antwortet.</translation>
    </message>
    <message>
        <source>At your pace</source>
        <translation>In deinem Tempo</translation>
    </message>
    <message>
        <source>%1 beats a minute</source>
        <translation>%1 Schläge pro Minute</translation>
    </message>
    <message>
        <source>Intervals</source>
        <translation>Intervalle</translation>
    </message>
    <message>
        <source>Triads</source>
        <translation>Dreiklänge</translation>
    </message>
    <message>
        <source>Seventh chords</source>
        <translation>Septakkorde</translation>
    </message>
    <message>
        <source>Key: a new one for each line</source>
        <translation>Tonart: jede Zeile eine neue</translation>
    </message>
    <message>
        <source>Key: %1</source>
        <translation>Tonart: %1</translation>
    </message>
    <message>
        <source>%1 minor</source>
        <translation>%1-Moll</translation>
    </message>
    <message>
        <source>%1 major</source>
        <translation>%1-Dur</translation>
    </message>
    <message>
        <source>Single notes</source>
        <translation>Einzelne Noten</translation>
    </message>
</context>
<context>
    <name>TSoundHookup</name>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
</context>
<context>
    <name>TStaffNoteCursor</name>
    <message>
        <source>Notes of the level</source>
        <translation>Noten der Stufe</translation>
    </message>
</context>
<context>
    <name>TfMain</name>
    <message>
        <source>Lirasto Notes v1.0.0 - made by Lirasto Software. Thanks to Qt, libjpeg-turbo and the LilyPond project&apos;s Emmentaler font, on which this program is built.</source>
        <translation>Lirasto Notes v1.0.0 – von Lirasto Software. Dank an Qt, libjpeg-turbo und die Schrift Emmentaler des LilyPond-Projekts, auf denen dieses Programm aufbaut.</translation>
    </message>
    <message>
        <source>DEMO Lirasto - Notes</source>
        <extracomment>fMain.Caption</extracomment>
        <translation>DEMO Lirasto – Noten</translation>
    </message>
    <message>
        <source>Lirasto</source>
        <extracomment>tsMain.Caption</extracomment>
        <translation>Lirasto</translation>
    </message>
    <message>
        <source>Time limit:</source>
        <extracomment>SkinLabel1.Caption</extracomment>
        <translation>Zeitlimit:</translation>
    </message>
    <message>
        <source>Goal (pts) :</source>
        <extracomment>SkinLabel2.Caption</extracomment>
        <translation>Ziel (Pkt.):</translation>
    </message>
    <message>
        <source>Score (pts) :</source>
        <extracomment>SkinLabel4.Caption</extracomment>
        <translation>Punkte:</translation>
    </message>
    <message>
        <source>Question</source>
        <extracomment>lQuestion.Caption</extracomment>
        <translation>Frage</translation>
    </message>
    <message>
        <source>Explanation</source>
        <extracomment>lExplanation.Caption</extracomment>
        <translation>Erklärung</translation>
    </message>
    <message>
        <source>&lt;-- SELECT YOUR LEVEL HERE</source>
        <extracomment>SkinLabel12.Caption</extracomment>
        <translation>&lt;-- HIER DIE STUFE WÄHLEN</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>bReset.Caption</extracomment>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Start</source>
        <extracomment>bStart.Caption</extracomment>
        <translation>Start</translation>
    </message>
    <message>
        <source>Tip</source>
        <extracomment>gbTips.Caption</extracomment>
        <translation>Tipp</translation>
    </message>
    <message>
        <source>Say the answers out loud when the question is presented to you. </source>
        <extracomment>Label14.Caption</extracomment>
        <translation>Sprich die Antworten laut aus, sobald die Frage erscheint. </translation>
    </message>
    <message>
        <source>Information</source>
        <extracomment>tsInfo.Caption
----------
mInfo.Caption</extracomment>
        <translation>Information</translation>
    </message>
    <message>
        <source>Lirasto Notes - made by Lirasto Software</source>
        <extracomment>mInfo.Lines.Strings</extracomment>
        <translation>Lirasto Notes – von Lirasto Software</translation>
    </message>
    <message>
        <source>For information, support, tips and other </source>
        <extracomment>mInfo.Lines.Strings</extracomment>
        <translation>Informationen, Hilfe, Tipps und weitere </translation>
    </message>
    <message>
        <source>products, check out the website below.</source>
        <extracomment>mInfo.Lines.Strings</extracomment>
        <translation>Produkte findest du auf der Website unten.</translation>
    </message>
    <message>
        <source> USAGE</source>
        <extracomment>mUsage.Lines.Strings</extracomment>
        <translation> BEDIENUNG</translation>
    </message>
    <message>
        <source> o Select a level</source>
        <extracomment>mUsage.Lines.Strings</extracomment>
        <translation> o Wähle eine Stufe</translation>
    </message>
    <message>
        <source> o Press &apos;Start&apos; to start the current level</source>
        <extracomment>mUsage.Lines.Strings</extracomment>
        <translation> o Drücke „Start“, um die gewählte Stufe zu beginnen</translation>
    </message>
    <message>
        <source> o Press &apos;Reset&apos; to reset the current level</source>
        <extracomment>mUsage.Lines.Strings</extracomment>
        <translation> o Drücke „Zurücksetzen“, um die Stufe neu zu beginnen</translation>
    </message>
    <message>
        <source>Options</source>
        <extracomment>tsOptions.Caption</extracomment>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Computer keyboard</source>
        <extracomment>gbKeyboard.Caption</extracomment>
        <translation>Computertastatur</translation>
    </message>
    <message>
        <source>Piano rows: A S D F G H J K, W E T Y U O; Z X octave</source>
        <extracomment>rbPianoRows.Caption</extracomment>
        <translation>Klavierreihen: A S D F G H J K, W E T Y U O; Z X Oktave</translation>
    </message>
    <message>
        <source>Note names: C D E F G A B; Shift sharp, Ctrl flat</source>
        <extracomment>rbNoteNames.Caption</extracomment>
        <translation>Englische Buchstaben C D E F G A B (B = H); Umschalt ♯, Strg ♭</translation>
    </message>
    <message>
        <source>MIDI inputs</source>
        <extracomment>gbMidi.Caption</extracomment>
        <translation>MIDI-Eingänge</translation>
    </message>
    <message>
        <source>No MIDI input found</source>
        <extracomment>lNoMidi.Caption</extracomment>
        <translation>Kein MIDI-Eingang gefunden</translation>
    </message>
    <message>
        <source>Sound</source>
        <extracomment>gbSound.Caption</extracomment>
        <translation>Klang</translation>
    </message>
    <message>
        <source>Practice</source>
        <extracomment>gbPractice.Caption</extracomment>
        <translation>Üben</translation>
    </message>
    <message>
        <source>Language</source>
        <extracomment>gbLanguage.Caption</extracomment>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Language:</source>
        <extracomment>lLanguage.Caption</extracomment>
        <translation>Sprache:</translation>
    </message>
    <message>
        <source>Note names:</source>
        <extracomment>lNoteNaming.Caption</extracomment>
        <translation>Notennamen:</translation>
    </message>
    <message>
        <source>A new language shows at the next start.</source>
        <extracomment>lLanguageNext.Caption</extracomment>
        <translation>Eine neue Sprache gilt ab dem nächsten Start.</translation>
    </message>
    <message>
        <source>Progress</source>
        <extracomment>tsProgress.Caption</extracomment>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Microphone</source>
        <extracomment>gbMicrophone.Caption</extracomment>
        <translation>Mikrofon</translation>
    </message>
    <message>
        <source>Input device</source>
        <extracomment>lMicDevice.Caption</extracomment>
        <translation>Eingabegerät</translation>
    </message>
    <message>
        <source>Level</source>
        <extracomment>lMicLevel.Caption</extracomment>
        <translation>Pegel</translation>
    </message>
    <message>
        <source>Note heard</source>
        <extracomment>lMicHeard.Caption</extracomment>
        <translation>Gehörter Ton</translation>
    </message>
    <message>
        <source>Noise gate</source>
        <extracomment>lMicGate.Caption</extracomment>
        <translation>Rauschsperre</translation>
    </message>
    <message>
        <source>Measure the room&apos;s noise</source>
        <extracomment>bMeasureNoise.Caption</extracomment>
        <translation>Raumgeräusch messen</translation>
    </message>
    <message>
        <source>Lowest note</source>
        <extracomment>lMicRange.Caption</extracomment>
        <translation>Tiefster Ton</translation>
    </message>
    <message>
        <source>Highest note</source>
        <extracomment>lMicRangeTo.Caption</extracomment>
        <translation>Höchster Ton</translation>
    </message>
</context>
</TS>
