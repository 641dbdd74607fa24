<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL">
<context>
    <name>HistoryCsv</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Nie można zapisać %1: %2</translation>
    </message>
</context>
<context>
    <name>Levels</name>
    <message>
        <source>Level %1: %2 Major</source>
        <translation>Poziom %1: %2-dur</translation>
    </message>
</context>
<context>
    <name>Modules</name>
    <message>
        <source>the module %1 is missing</source>
        <translation>brak modułu %1</translation>
    </message>
    <message>
        <source>the module %1 did not load</source>
        <translation>nie udało się wczytać modułu %1</translation>
    </message>
    <message>
        <source>the module %1 has no %2</source>
        <translation>moduł %1 nie ma %2</translation>
    </message>
    <message>
        <source>the module %1 belongs to another version of the program</source>
        <translation>moduł %1 pochodzi z innej wersji programu</translation>
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
        <translation>Linie: %1 nut na minutę</translation>
    </message>
    <message>
        <source>, %1 of %2 on time (%3)</source>
        <translation>, %1 z %2 w czasie (%3)</translation>
    </message>
    <message>
        <source>%1 (treble)</source>
        <translation>%1 (klucz wiolinowy)</translation>
    </message>
    <message>
        <source>%1 (bass)</source>
        <translation>%1 (klucz basowy)</translation>
    </message>
    <message>
        <source>%1 — %2 of %3 right, median %4</source>
        <translation>%1 — %2 z %3 dobrze, mediana %4</translation>
    </message>
    <message>
        <source>%1: not asked yet</source>
        <translation>%1: jeszcze nie pytano</translation>
    </message>
    <message>
        <source>%1: %2 answers, %3 right, median %4</source>
        <translation>%1: odpowiedzi %2, dobrze %3, mediana %4</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 godz. %2 min</translation>
    </message>
    <message>
        <source>%1 (alto)</source>
        <translation>%1 (klucz altowy)</translation>
    </message>
    <message>
        <source>%1 (tenor)</source>
        <translation>%1 (klucz tenorowy)</translation>
    </message>
    <message>
        <source>%1 (octave treble)</source>
        <translation>%1 (klucz wiolinowy oktawowy)</translation>
    </message>
</context>
<context>
    <name>SavedLevel</name>
    <message>
        <source>The level reached (level %1) could not be saved in %2.

%3.</source>
        <translation>Nie udało się zapisać osiągniętego poziomu (poziom %1) w %2.

%3.</translation>
    </message>
</context>
<context>
    <name>TApplication</name>
    <message>
        <source>Unknown error</source>
        <translation>Nieznany błąd</translation>
    </message>
</context>
<context>
    <name>TChordExercise</name>
    <message>
        <source>minor second</source>
        <translation>sekunda mała</translation>
    </message>
    <message>
        <source>major second</source>
        <translation>sekunda wielka</translation>
    </message>
    <message>
        <source>minor third</source>
        <translation>tercja mała</translation>
    </message>
    <message>
        <source>major third</source>
        <translation>tercja wielka</translation>
    </message>
    <message>
        <source>perfect fourth</source>
        <translation>kwarta czysta</translation>
    </message>
    <message>
        <source>augmented fourth</source>
        <translation>kwarta zwiększona</translation>
    </message>
    <message>
        <source>diminished fifth</source>
        <translation>kwinta zmniejszona</translation>
    </message>
    <message>
        <source>perfect fifth</source>
        <translation>kwinta czysta</translation>
    </message>
    <message>
        <source>minor sixth</source>
        <translation>seksta mała</translation>
    </message>
    <message>
        <source>major sixth</source>
        <translation>seksta wielka</translation>
    </message>
    <message>
        <source>minor seventh</source>
        <translation>septyma mała</translation>
    </message>
    <message>
        <source>major seventh</source>
        <translation>septyma wielka</translation>
    </message>
    <message>
        <source>octave</source>
        <translation>oktawa</translation>
    </message>
    <message>
        <source>%1 major</source>
        <translation>%1-dur</translation>
    </message>
    <message>
        <source>%1 minor</source>
        <translation>%1-moll</translation>
    </message>
    <message>
        <source>%1 diminished</source>
        <translation>%1 zmniejszony</translation>
    </message>
    <message>
        <source>%1 augmented</source>
        <translation>%1 zwiększony</translation>
    </message>
    <message>
        <source>%1 major seventh</source>
        <translation>%1-dur z septymą wielką</translation>
    </message>
    <message>
        <source>%1 dominant seventh</source>
        <translation>%1 septymowy dominantowy</translation>
    </message>
    <message>
        <source>%1 minor seventh</source>
        <translation>%1-moll z septymą małą</translation>
    </message>
    <message>
        <source>%1 half-diminished seventh</source>
        <translation>%1 półzmniejszony septymowy</translation>
    </message>
    <message>
        <source>%1 diminished seventh</source>
        <translation>%1 zmniejszony septymowy</translation>
    </message>
    <message>
        <source>first inversion</source>
        <translation>pierwszy przewrót</translation>
    </message>
    <message>
        <source>second inversion</source>
        <translation>drugi przewrót</translation>
    </message>
    <message>
        <source>third inversion</source>
        <translation>trzeci przewrót</translation>
    </message>
</context>
<context>
    <name>TChordReading</name>
    <message>
        <source>Play the chord! </source>
        <translation>Zagraj akord! </translation>
    </message>
    <message>
        <source>Play the interval! </source>
        <translation>Zagraj interwał! </translation>
    </message>
    <message>
        <source>Hold all its keys down together, or click them one after another.</source>
        <translation>Przytrzymaj razem wszystkie jego klawisze albo klikaj je po kolei.</translation>
    </message>
</context>
<context>
    <name>TExportProgress</name>
    <message>
        <source>Cancel export</source>
        <translation>Przerwij eksport</translation>
    </message>
    <message>
        <source>Exporting…</source>
        <translation>Eksportowanie…</translation>
    </message>
    <message>
        <source>Exporting… %1 %</source>
        <translation>Eksportowanie… %1 %</translation>
    </message>
</context>
<context>
    <name>TGameCore</name>
    <message>
        <source>What note is this? </source>
        <translation>Jaka to nuta? </translation>
    </message>
    <message>
        <source>Click on any corresponding key on the keyboard!</source>
        <translation>Kliknij odpowiedni klawisz na klawiaturze!</translation>
    </message>
</context>
<context>
    <name>TGameLabels</name>
    <message>
        <source>Congratulations!! Press &quot;Start&quot; to play the next level!</source>
        <translation>Gratulacje!! Naciśnij „Start”, aby zagrać kolejny poziom!</translation>
    </message>
    <message>
        <source>Congratulations!! You definitely know your notes!</source>
        <translation>Gratulacje!! Naprawdę znasz nuty!</translation>
    </message>
    <message>
        <source>Please repeat this level!</source>
        <translation>Powtórz ten poziom!</translation>
    </message>
    <message>
        <source>%1 SEC.</source>
        <translation>%1 SEK.</translation>
    </message>
    <message>
        <source>RIGHT!</source>
        <translation>DOBRZE!</translation>
    </message>
    <message>
        <source>WRONG!</source>
        <translation>ŹLE!</translation>
    </message>
    <message>
        <source>Well done!! You reached the goal.</source>
        <translation>Brawo!! Cel osiągnięty.</translation>
    </message>
</context>
<context>
    <name>THistoryModule</name>
    <message>
        <source>History is not being kept: %1</source>
        <translation>Historia nie jest zapisywana: %1</translation>
    </message>
</context>
<context>
    <name>THistoryStore</name>
    <message>
        <source>History is not being kept: %1</source>
        <translation>Historia nie jest zapisywana: %1</translation>
    </message>
    <message>
        <source>the file %1 cannot be read and cannot be moved aside</source>
        <translation>pliku %1 nie można odczytać ani odłożyć na bok</translation>
    </message>
    <message>
        <source>the file %1 cannot be moved aside</source>
        <translation>pliku %1 nie można odłożyć na bok</translation>
    </message>
    <message>
        <source>the folder %1 cannot be made</source>
        <translation>nie można utworzyć folderu %1</translation>
    </message>
    <message>
        <source>%1 is not a file</source>
        <translation>%1 nie jest plikiem</translation>
    </message>
    <message>
        <source>the file %1 is in use (%2)</source>
        <translation>plik %1 jest używany (%2)</translation>
    </message>
    <message>
        <source>The history file was damaged. It is kept as %1, and a new history has begun.</source>
        <translation>Plik historii był uszkodzony. Zachowano go jako %1 i rozpoczęto nową historię.</translation>
    </message>
    <message>
        <source>The history file belonged to another program. It is kept as %1, and a new history has begun.</source>
        <translation>Plik historii należał do innego programu. Zachowano go jako %1 i rozpoczęto nową historię.</translation>
    </message>
    <message>
        <source>The history file was written by a newer version of Lirasto Notes. It is kept as %1, and a new history has begun.</source>
        <translation>Plik historii zapisała nowsza wersja Lirasto Notes. Zachowano go jako %1 i rozpoczęto nową historię.</translation>
    </message>
    <message>
        <source>the file %1 cannot be opened (%2)</source>
        <translation>nie można otworzyć pliku %1 (%2)</translation>
    </message>
    <message>
        <source>the file %1 cannot be written (%2)</source>
        <translation>nie można zapisać pliku %1 (%2)</translation>
    </message>
    <message>
        <source>the file %1 was changed by a newer version of Lirasto Notes</source>
        <translation>plik %1 został zmieniony przez nowszą wersję Lirasto Notes</translation>
    </message>
    <message>
        <source>the file %1 cannot be brought up to date (%2)</source>
        <translation>nie można zaktualizować pliku %1 (%2)</translation>
    </message>
    <message>
        <source>the file %1 cannot be read (%2)</source>
        <translation>nie można odczytać pliku %1 (%2)</translation>
    </message>
    <message>
        <source>a run cannot be written (%1)</source>
        <translation>nie można zapisać podejścia (%1)</translation>
    </message>
    <message>
        <source>an answer cannot be written (%1)</source>
        <translation>nie można zapisać odpowiedzi (%1)</translation>
    </message>
    <message>
        <source>the history cannot be cleared (%1)</source>
        <translation>nie można wyczyścić historii (%1)</translation>
    </message>
</context>
<context>
    <name>TKeyboardInput</name>
    <message>
        <source> KEYS AND MIDI
 o Keys %1
 o Space starts, Escape resets
 o A MIDI keyboard answers too</source>
        <translation> KLAWISZE I MIDI
 o Klawisze %1
 o Spacja startuje, Esc resetuje
 o Klawiatura MIDI też odpowiada</translation>
    </message>
    <message>
        <source>Piano rows: %1</source>
        <translation>Rzędy pianina: %1</translation>
    </message>
    <message>
        <source>%1, %2; %3 %4 octave</source>
        <translation>%1, %2; %3 %4 oktawa</translation>
    </message>
    <message>
        <source>Note names: C D E F G A B; Shift sharp, Ctrl flat</source>
        <translation>Litery angielskie C D E F G A B (B = H); Shift ♯, Ctrl ♭</translation>
    </message>
    <message>
        <source>Note names: Latin C D E F G A B; Shift sharp, Ctrl flat</source>
        <translation>Klawisze liter łacińskich C D E F G A B (B = H); Shift ♯, Ctrl ♭</translation>
    </message>
</context>
<context>
    <name>TLineSummary</name>
    <message>
        <source>%1 of %2</source>
        <translation>%1 z %2</translation>
    </message>
    <message>
        <source>On time: %1 · misses: %2</source>
        <translation>Na czas: %1 · błędy: %2</translation>
    </message>
    <message>
        <source> · median timing: %1 ms early</source>
        <translation> · mediana odchylenia: %1 ms za wcześnie</translation>
    </message>
    <message>
        <source> · median timing: %1 ms late</source>
        <translation> · mediana odchylenia: %1 ms za późno</translation>
    </message>
    <message>
        <source>Right at the first try: %1 · misses: %2 · median time per note: %3</source>
        <translation>Dobrze za pierwszym razem: %1 · błędy: %2 · mediana czasu na nutę: %3</translation>
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
        <translation>Szum w pokoju: %1</translation>
    </message>
    <message>
        <source>Listening to the room for two seconds...</source>
        <translation>Nasłuchiwanie pokoju przez dwie sekundy...</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Domyślne</translation>
    </message>
    <message>
        <source>No microphone: %1</source>
        <translation>Brak mikrofonu: %1</translation>
    </message>
    <message>
        <source>Listening</source>
        <translation>Nasłuchiwanie</translation>
    </message>
    <message>
        <source>Listening on %1</source>
        <translation>Nasłuchiwanie na %1</translation>
    </message>
    <message>
        <source>%1  %2%3 cents</source>
        <translation>%1  %2%3 ct</translation>
    </message>
</context>
<context>
    <name>TMidiInput</name>
    <message>
        <source>No MIDI input found</source>
        <translation>Nie znaleziono wejścia MIDI</translation>
    </message>
</context>
<context>
    <name>TOptionsPage</name>
    <message>
        <source>Name the keys</source>
        <translation>Nazwy na klawiszach</translation>
    </message>
    <message>
        <source>Octave-exact answers</source>
        <translation>Odpowiedzi w dokładnej oktawie</translation>
    </message>
    <message>
        <source>Sound for MIDI keys</source>
        <translation>Dźwięk dla klawiszy MIDI</translation>
    </message>
    <message>
        <source>Replay the right note</source>
        <translation>Zagraj poprawną nutę</translation>
    </message>
    <message>
        <source>Play the question</source>
        <translation>Zagraj pytanie</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Wycisz</translation>
    </message>
    <message>
        <source>Drill my weak notes</source>
        <translation>Ćwicz moje słabe nuty</translation>
    </message>
    <message>
        <source>Mistakes cost points</source>
        <translation>Błędy kosztują punkty</translation>
    </message>
    <message>
        <source>The system&apos;s language</source>
        <translation>Język systemu</translation>
    </message>
    <message>
        <source>As the language teaches them</source>
        <translation>Zgodnie ze zwyczajem języka</translation>
    </message>
    <message>
        <source>C D E F G A B (English)</source>
        <translation>C D E F G A B (angielskie)</translation>
    </message>
    <message>
        <source>C D E F G A H (German)</source>
        <translation>C D E F G A H (niemieckie)</translation>
    </message>
    <message>
        <source>Do Re Mi Fa Sol La Si (fixed do)</source>
        <translation>Do Re Mi Fa Sol La Si (solmizacja)</translation>
    </message>
    <message>
        <source>Connect a keyboard to the JACK port
&quot;%1&quot;</source>
        <translation>Podłącz klawiaturę do portu JACK
„%1”</translation>
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
        <translation>Nie znaleziono SoundFontu</translation>
    </message>
    <message>
        <source>No sound output</source>
        <translation>Brak wyjścia dźwięku</translation>
    </message>
    <message>
        <source>No sound output: %1</source>
        <translation>Brak wyjścia dźwięku: %1</translation>
    </message>
    <message>
        <source>No SoundFont found: %1</source>
        <translation>Nie znaleziono SoundFontu: %1</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 nie jest zwykłym plikiem</translation>
    </message>
</context>
<context>
    <name>TPracticeChoice</name>
    <message>
        <source>Treble clef</source>
        <translation>Klucz wiolinowy</translation>
    </message>
    <message>
        <source>Bass clef</source>
        <translation>Klucz basowy</translation>
    </message>
    <message>
        <source>Grand staff</source>
        <translation>System fortepianowy</translation>
    </message>
    <message>
        <source>Alto clef</source>
        <translation>Klucz altowy</translation>
    </message>
    <message>
        <source>Tenor clef</source>
        <translation>Klucz tenorowy</translation>
    </message>
    <message>
        <source>Treble clef, 8 below</source>
        <translation>Klucz wiolinowy, 8 niżej</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Zapisz...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Usuń</translation>
    </message>
    <message>
        <source>Key of the level</source>
        <translation>Tonacja poziomu</translation>
    </message>
    <message>
        <source>Random key</source>
        <translation>Losowa tonacja</translation>
    </message>
    <message>
        <source>No accidentals</source>
        <translation>Bez znaków chromatycznych</translation>
    </message>
    <message>
        <source>Chromatic notes</source>
        <translation>Dźwięki chromatyczne</translation>
    </message>
    <message>
        <source>Save the practice</source>
        <translation>Zapisz ćwiczenie</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nazwa:</translation>
    </message>
    <message>
        <source>Practice not loaded: %1</source>
        <translation>Nie wczytano ćwiczenia: %1</translation>
    </message>
    <message>
        <source>The practice was not saved: %1</source>
        <translation>Ćwiczenie nie zostało zapisane: %1</translation>
    </message>
    <message>
        <source>The practice was not deleted: %1</source>
        <translation>Ćwiczenie nie zostało usunięte: %1</translation>
    </message>
</context>
<context>
    <name>TProgressPage</name>
    <message>
        <source>Export history</source>
        <translation>Eksportuj historię</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Pliki CSV (*.csv)</translation>
    </message>
    <message>
        <source>Reset history</source>
        <translation>Wyczyść historię</translation>
    </message>
    <message>
        <source>Clear every answer and run of the history? This cannot be undone.</source>
        <translation>Usunąć wszystkie odpowiedzi i podejścia z historii? Tej operacji nie można cofnąć.</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historia</translation>
    </message>
    <message>
        <source>Export history…</source>
        <translation>Eksportuj historię…</translation>
    </message>
    <message>
        <source>Reset history…</source>
        <translation>Wyczyść historię…</translation>
    </message>
    <message>
        <source>The history cannot be read: %1</source>
        <translation>Nie można odczytać historii: %1</translation>
    </message>
    <message>
        <source>Weakest notes</source>
        <translation>Najsłabsze nuty</translation>
    </message>
    <message>
        <source>No answers at this level yet.</source>
        <translation>Brak odpowiedzi na tym poziomie.</translation>
    </message>
    <message>
        <source>Practice today: %1, this week: %2</source>
        <translation>Ćwiczenia dziś: %1, w tym tygodniu: %2</translation>
    </message>
    <message>
        <source>Runs passed: %1 of %2</source>
        <translation>Zaliczone podejścia: %1 z %2</translation>
    </message>
    <message>
        <source>Scores of this level&apos;s runs (dashed: the pass line, 300) and median answer time</source>
        <translation>Wyniki podejść na tym poziomie (przerywana: próg zaliczenia, 300) i mediana czasu odpowiedzi</translation>
    </message>
    <message>
        <source>The history cannot be cleared now.</source>
        <translation>Nie można teraz wyczyścić historii.</translation>
    </message>
    <message>
        <source>The history could not be cleared: %1</source>
        <translation>Nie udało się wyczyścić historii: %1</translation>
    </message>
    <message>
        <source>missed often</source>
        <translation>często mylona</translation>
    </message>
    <message>
        <source>half known</source>
        <translation>znana w połowie</translation>
    </message>
    <message>
        <source>right and fast</source>
        <translation>dobrze i szybko</translation>
    </message>
    <message>
        <source>not asked yet</source>
        <translation>jeszcze nie pytano</translation>
    </message>
    <message>
        <source>%1 answers written to %2</source>
        <translation>Zapisano odpowiedzi (%1) w %2</translation>
    </message>
    <message>
        <source>at this level</source>
        <translation>na tym poziomie</translation>
    </message>
    <message>
        <source>All levels</source>
        <translation>Wszystkie poziomy</translation>
    </message>
    <message>
        <source>Scores of this practice&apos;s runs and median answer time</source>
        <translation>Wyniki podejść w tym ćwiczeniu i mediana czasu odpowiedzi</translation>
    </message>
    <message>
        <source>in this practice</source>
        <translation>w tym ćwiczeniu</translation>
    </message>
    <message>
        <source>No answers in this practice yet.</source>
        <translation>Brak odpowiedzi w tym ćwiczeniu.</translation>
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
        <translation>Brak podejść na tym poziomie</translation>
    </message>
</context>
<context>
    <name>TRunSummary</name>
    <message>
        <source>note %1</source>
        <translation>nuta %1</translation>
    </message>
    <message>
        <source>No note was answered in this run.</source>
        <translation>W tym podejściu nie odpowiedziano na żadną nutę.</translation>
    </message>
    <message>
        <source>Right at the first try: %1 (%2 of %3)</source>
        <translation>Dobrze za pierwszym razem: %1 (%2 z %3)</translation>
    </message>
    <message>
        <source>Median answer time: %1</source>
        <translation>Mediana czasu odpowiedzi: %1</translation>
    </message>
    <message>
        <source>missed: none</source>
        <translation>nietrafione: brak</translation>
    </message>
    <message>
        <source>missed: %1</source>
        <translation>nietrafione: %1</translation>
    </message>
</context>
<context>
    <name>TSightReading</name>
    <message>
        <source>Levels</source>
        <translation>Poziomy</translation>
    </message>
    <message>
        <source>Sight-reading</source>
        <translation>Czytanie a vista</translation>
    </message>
    <message>
        <source>Play the line from left to right! </source>
        <translation>Zagraj linię od lewej do prawej! </translation>
    </message>
    <message>
        <source>The pointer shows the note due; any key of that note answers.</source>
        <translation>Wskaźnik pokazuje nutę do zagrania; odpowiada każdy klawisz tej nuty.</translation>
    </message>
    <message>
        <source>At your pace</source>
        <translation>W swoim tempie</translation>
    </message>
    <message>
        <source>%1 beats a minute</source>
        <translation>%1 ud./min</translation>
    </message>
    <message>
        <source>Intervals</source>
        <translation>Interwały</translation>
    </message>
    <message>
        <source>Triads</source>
        <translation>Trójdźwięki</translation>
    </message>
    <message>
        <source>Seventh chords</source>
        <translation>Akordy septymowe</translation>
    </message>
    <message>
        <source>Key: a new one for each line</source>
        <translation>Tonacja: nowa w każdej linii</translation>
    </message>
    <message>
        <source>Key: %1</source>
        <translation>Tonacja: %1</translation>
    </message>
    <message>
        <source>%1 minor</source>
        <translation>%1-moll</translation>
    </message>
    <message>
        <source>%1 major</source>
        <translation>%1-dur</translation>
    </message>
    <message>
        <source>Single notes</source>
        <translation>Pojedyncze nuty</translation>
    </message>
</context>
<context>
    <name>TSoundHookup</name>
    <message>
        <source>Volume</source>
        <translation>Głośność</translation>
    </message>
</context>
<context>
    <name>TStaffNoteCursor</name>
    <message>
        <source>Notes of the level</source>
        <translation>Nuty poziomu</translation>
    </message>
</context>
<context>
    <name>TfMain</name>
    <message>
        <source>Lirasto Notes v1.0.0 - made by Lirasto Software. Thanks to Qt, libjpeg-turbo and the LilyPond project&apos;s Emmentaler font, on which this program is built.</source>
        <translation>Lirasto Notes v1.0.0 – autorstwa Lirasto Software. Podziękowania dla Qt, libjpeg-turbo i czcionki Emmentaler projektu LilyPond, na których zbudowano ten program.</translation>
    </message>
    <message>
        <source>DEMO Lirasto - Notes</source>
        <extracomment>fMain.Caption</extracomment>
        <translation>DEMO Lirasto – Nuty</translation>
    </message>
    <message>
        <source>Lirasto</source>
        <extracomment>tsMain.Caption</extracomment>
        <translation>Lirasto</translation>
    </message>
    <message>
        <source>Time limit:</source>
        <extracomment>SkinLabel1.Caption</extracomment>
        <translation>Czas:</translation>
    </message>
    <message>
        <source>Goal (pts) :</source>
        <extracomment>SkinLabel2.Caption</extracomment>
        <translation>Cel (pkt):</translation>
    </message>
    <message>
        <source>Score (pts) :</source>
        <extracomment>SkinLabel4.Caption</extracomment>
        <translation>Wynik (pkt):</translation>
    </message>
    <message>
        <source>Question</source>
        <extracomment>lQuestion.Caption</extracomment>
        <translation>Pytanie</translation>
    </message>
    <message>
        <source>Explanation</source>
        <extracomment>lExplanation.Caption</extracomment>
        <translation>Wyjaśnienie</translation>
    </message>
    <message>
        <source>&lt;-- SELECT YOUR LEVEL HERE</source>
        <extracomment>SkinLabel12.Caption</extracomment>
        <translation>&lt;-- WYBIERZ TU POZIOM</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>bReset.Caption</extracomment>
        <translation>Resetuj</translation>
    </message>
    <message>
        <source>Start</source>
        <extracomment>bStart.Caption</extracomment>
        <translation>Start</translation>
    </message>
    <message>
        <source>Tip</source>
        <extracomment>gbTips.Caption</extracomment>
        <translation>Wskazówka</translation>
    </message>
    <message>
        <source>Say the answers out loud when the question is presented to you. </source>
        <extracomment>Label14.Caption</extracomment>
        <translation>Wypowiadaj odpowiedzi na głos, gdy pojawi się pytanie. </translation>
    </message>
    <message>
        <source>Information</source>
        <extracomment>tsInfo.Caption
----------
mInfo.Caption</extracomment>
        <translation>Informacje</translation>
    </message>
    <message>
        <source>Lirasto Notes - made by Lirasto Software</source>
        <extracomment>mInfo.Lines.Strings</extracomment>
        <translation>Lirasto Notes – autorstwa Lirasto Software</translation>
    </message>
    <message>
        <source>For information, support, tips and other </source>
        <extracomment>mInfo.Lines.Strings</extracomment>
        <translation>Informacje, pomoc, wskazówki i inne </translation>
    </message>
    <message>
        <source>products, check out the website below.</source>
        <extracomment>mInfo.Lines.Strings</extracomment>
        <translation>produkty znajdziesz na stronie poniżej.</translation>
    </message>
    <message>
        <source> USAGE</source>
        <extracomment>mUsage.Lines.Strings</extracomment>
        <translation> OBSŁUGA</translation>
    </message>
    <message>
        <source> o Select a level</source>
        <extracomment>mUsage.Lines.Strings</extracomment>
        <translation> o Wybierz poziom</translation>
    </message>
    <message>
        <source> o Press &apos;Start&apos; to start the current level</source>
        <extracomment>mUsage.Lines.Strings</extracomment>
        <translation> o Naciśnij „Start”, aby rozpocząć bieżący poziom</translation>
    </message>
    <message>
        <source> o Press &apos;Reset&apos; to reset the current level</source>
        <extracomment>mUsage.Lines.Strings</extracomment>
        <translation> o Naciśnij „Resetuj”, aby zacząć poziom od nowa</translation>
    </message>
    <message>
        <source>Options</source>
        <extracomment>tsOptions.Caption</extracomment>
        <translation>Opcje</translation>
    </message>
    <message>
        <source>Computer keyboard</source>
        <extracomment>gbKeyboard.Caption</extracomment>
        <translation>Klawiatura komputera</translation>
    </message>
    <message>
        <source>Piano rows: A S D F G H J K, W E T Y U O; Z X octave</source>
        <extracomment>rbPianoRows.Caption</extracomment>
        <translation>Rzędy pianina: A S D F G H J K, W E T Y U O; Z X oktawa</translation>
    </message>
    <message>
        <source>Note names: C D E F G A B; Shift sharp, Ctrl flat</source>
        <extracomment>rbNoteNames.Caption</extracomment>
        <translation>Litery angielskie C D E F G A B (B = H); Shift ♯, Ctrl ♭</translation>
    </message>
    <message>
        <source>MIDI inputs</source>
        <extracomment>gbMidi.Caption</extracomment>
        <translation>Wejścia MIDI</translation>
    </message>
    <message>
        <source>No MIDI input found</source>
        <extracomment>lNoMidi.Caption</extracomment>
        <translation>Nie znaleziono wejścia MIDI</translation>
    </message>
    <message>
        <source>Sound</source>
        <extracomment>gbSound.Caption</extracomment>
        <translation>Dźwięk</translation>
    </message>
    <message>
        <source>Practice</source>
        <extracomment>gbPractice.Caption</extracomment>
        <translation>Ćwiczenie</translation>
    </message>
    <message>
        <source>Language</source>
        <extracomment>gbLanguage.Caption</extracomment>
        <translation>Język</translation>
    </message>
    <message>
        <source>Language:</source>
        <extracomment>lLanguage.Caption</extracomment>
        <translation>Język:</translation>
    </message>
    <message>
        <source>Note names:</source>
        <extracomment>lNoteNaming.Caption</extracomment>
        <translation>Nazwy nut:</translation>
    </message>
    <message>
        <source>A new language shows at the next start.</source>
        <extracomment>lLanguageNext.Caption</extracomment>
        <translation>Nowy język pojawi się po ponownym uruchomieniu.</translation>
    </message>
    <message>
        <source>Progress</source>
        <extracomment>tsProgress.Caption</extracomment>
        <translation>Postępy</translation>
    </message>
    <message>
        <source>Microphone</source>
        <extracomment>gbMicrophone.Caption</extracomment>
        <translation>Mikrofon</translation>
    </message>
    <message>
        <source>Input device</source>
        <extracomment>lMicDevice.Caption</extracomment>
        <translation>Urządzenie wejściowe</translation>
    </message>
    <message>
        <source>Level</source>
        <extracomment>lMicLevel.Caption</extracomment>
        <translation>Poziom</translation>
    </message>
    <message>
        <source>Note heard</source>
        <extracomment>lMicHeard.Caption</extracomment>
        <translation>Słyszany dźwięk</translation>
    </message>
    <message>
        <source>Noise gate</source>
        <extracomment>lMicGate.Caption</extracomment>
        <translation>Bramka szumów</translation>
    </message>
    <message>
        <source>Measure the room&apos;s noise</source>
        <extracomment>bMeasureNoise.Caption</extracomment>
        <translation>Zmierz szum w pokoju</translation>
    </message>
    <message>
        <source>Lowest note</source>
        <extracomment>lMicRange.Caption</extracomment>
        <translation>Najniższy dźwięk</translation>
    </message>
    <message>
        <source>Highest note</source>
        <extracomment>lMicRangeTo.Caption</extracomment>
        <translation>Najwyższy dźwięk</translation>
    </message>
</context>
</TS>
