<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>HistoryCsv</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Impossibile scrivere %1: %2</translation>
    </message>
</context>
<context>
    <name>Levels</name>
    <message>
        <source>Level %1: %2 Major</source>
        <translation>Livello %1: %2 maggiore</translation>
    </message>
</context>
<context>
    <name>Modules</name>
    <message>
        <source>the module %1 is missing</source>
        <translation>manca il modulo %1</translation>
    </message>
    <message>
        <source>the module %1 did not load</source>
        <translation>non è stato possibile caricare il modulo %1</translation>
    </message>
    <message>
        <source>the module %1 has no %2</source>
        <translation>il modulo %1 non ha %2</translation>
    </message>
    <message>
        <source>the module %1 belongs to another version of the program</source>
        <translation>il modulo %1 appartiene a un’altra versione del programma</translation>
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
        <translation>Righe: %1 note al minuto</translation>
    </message>
    <message>
        <source>, %1 of %2 on time (%3)</source>
        <translation>, %1 su %2 a tempo (%3)</translation>
    </message>
    <message>
        <source>%1 (treble)</source>
        <translation>%1 (chiave di violino)</translation>
    </message>
    <message>
        <source>%1 (bass)</source>
        <translation>%1 (chiave di basso)</translation>
    </message>
    <message>
        <source>%1 — %2 of %3 right, median %4</source>
        <translation>%1 — %2 su %3 giuste, mediana %4</translation>
    </message>
    <message>
        <source>%1: not asked yet</source>
        <translation>%1: non ancora chiesta</translation>
    </message>
    <message>
        <source>%1: %2 answers, %3 right, median %4</source>
        <translation>%1: %2 risposte, %3 giuste, mediana %4</translation>
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
        <translation>%1 (chiave di contralto)</translation>
    </message>
    <message>
        <source>%1 (tenor)</source>
        <translation>%1 (chiave di tenore)</translation>
    </message>
    <message>
        <source>%1 (octave treble)</source>
        <translation>%1 (chiave di violino all’ottava bassa)</translation>
    </message>
</context>
<context>
    <name>SavedLevel</name>
    <message>
        <source>The level reached (level %1) could not be saved in %2.

%3.</source>
        <translation>Non è stato possibile salvare il livello raggiunto (livello %1) in %2.

%3.</translation>
    </message>
</context>
<context>
    <name>TApplication</name>
    <message>
        <source>Unknown error</source>
        <translation>Errore sconosciuto</translation>
    </message>
</context>
<context>
    <name>TChordExercise</name>
    <message>
        <source>minor second</source>
        <translation>seconda minore</translation>
    </message>
    <message>
        <source>major second</source>
        <translation>seconda maggiore</translation>
    </message>
    <message>
        <source>minor third</source>
        <translation>terza minore</translation>
    </message>
    <message>
        <source>major third</source>
        <translation>terza maggiore</translation>
    </message>
    <message>
        <source>perfect fourth</source>
        <translation>quarta giusta</translation>
    </message>
    <message>
        <source>augmented fourth</source>
        <translation>quarta aumentata</translation>
    </message>
    <message>
        <source>diminished fifth</source>
        <translation>quinta diminuita</translation>
    </message>
    <message>
        <source>perfect fifth</source>
        <translation>quinta giusta</translation>
    </message>
    <message>
        <source>minor sixth</source>
        <translation>sesta minore</translation>
    </message>
    <message>
        <source>major sixth</source>
        <translation>sesta maggiore</translation>
    </message>
    <message>
        <source>minor seventh</source>
        <translation>settima minore</translation>
    </message>
    <message>
        <source>major seventh</source>
        <translation>settima maggiore</translation>
    </message>
    <message>
        <source>octave</source>
        <translation>ottava</translation>
    </message>
    <message>
        <source>%1 major</source>
        <translation>%1 maggiore</translation>
    </message>
    <message>
        <source>%1 minor</source>
        <translation>%1 minore</translation>
    </message>
    <message>
        <source>%1 diminished</source>
        <translation>%1 diminuito</translation>
    </message>
    <message>
        <source>%1 augmented</source>
        <translation>%1 aumentato</translation>
    </message>
    <message>
        <source>%1 major seventh</source>
        <translation>%1 maggiore con settima maggiore</translation>
    </message>
    <message>
        <source>%1 dominant seventh</source>
        <translation>%1 settima di dominante</translation>
    </message>
    <message>
        <source>%1 minor seventh</source>
        <translation>%1 minore settima</translation>
    </message>
    <message>
        <source>%1 half-diminished seventh</source>
        <translation>%1 semidiminuito</translation>
    </message>
    <message>
        <source>%1 diminished seventh</source>
        <translation>%1 settima diminuita</translation>
    </message>
    <message>
        <source>first inversion</source>
        <translation>primo rivolto</translation>
    </message>
    <message>
        <source>second inversion</source>
        <translation>secondo rivolto</translation>
    </message>
    <message>
        <source>third inversion</source>
        <translation>terzo rivolto</translation>
    </message>
</context>
<context>
    <name>TChordReading</name>
    <message>
        <source>Play the chord! </source>
        <translation>Suona l&apos;accordo! </translation>
    </message>
    <message>
        <source>Play the interval! </source>
        <translation>Suona l&apos;intervallo! </translation>
    </message>
    <message>
        <source>Hold all its keys down together, or click them one after another.</source>
        <translation>Tieni premuti tutti i suoi tasti insieme, oppure cliccali uno dopo l&apos;altro.</translation>
    </message>
</context>
<context>
    <name>TExportProgress</name>
    <message>
        <source>Cancel export</source>
        <translation>Annulla l’esportazione</translation>
    </message>
    <message>
        <source>Exporting…</source>
        <translation>Esportazione…</translation>
    </message>
    <message>
        <source>Exporting… %1 %</source>
        <translation>Esportazione… %1 %</translation>
    </message>
</context>
<context>
    <name>TGameCore</name>
    <message>
        <source>What note is this? </source>
        <translation>Che nota è questa? </translation>
    </message>
    <message>
        <source>Click on any corresponding key on the keyboard!</source>
        <translation>Clicca su un tasto corrispondente della tastiera!</translation>
    </message>
</context>
<context>
    <name>TGameLabels</name>
    <message>
        <source>Congratulations!! Press &quot;Start&quot; to play the next level!</source>
        <translation>Complimenti!! Premi «Avvia» per giocare il livello successivo!</translation>
    </message>
    <message>
        <source>Congratulations!! You definitely know your notes!</source>
        <translation>Complimenti!! Conosci davvero le note!</translation>
    </message>
    <message>
        <source>Please repeat this level!</source>
        <translation>Ripeti questo livello!</translation>
    </message>
    <message>
        <source>%1 SEC.</source>
        <translation>%1 SEC.</translation>
    </message>
    <message>
        <source>RIGHT!</source>
        <translation>GIUSTO!</translation>
    </message>
    <message>
        <source>WRONG!</source>
        <translation>SBAGLIATO!</translation>
    </message>
    <message>
        <source>Well done!! You reached the goal.</source>
        <translation>Ben fatto!! Hai raggiunto l&apos;obiettivo.</translation>
    </message>
</context>
<context>
    <name>THistoryModule</name>
    <message>
        <source>History is not being kept: %1</source>
        <translation>La cronologia non viene salvata: %1</translation>
    </message>
</context>
<context>
    <name>THistoryStore</name>
    <message>
        <source>History is not being kept: %1</source>
        <translation>La cronologia non viene salvata: %1</translation>
    </message>
    <message>
        <source>the file %1 cannot be read and cannot be moved aside</source>
        <translation>il file %1 non può essere né letto né spostato da parte</translation>
    </message>
    <message>
        <source>the file %1 cannot be moved aside</source>
        <translation>il file %1 non può essere spostato da parte</translation>
    </message>
    <message>
        <source>the folder %1 cannot be made</source>
        <translation>la cartella %1 non può essere creata</translation>
    </message>
    <message>
        <source>%1 is not a file</source>
        <translation>%1 non è un file</translation>
    </message>
    <message>
        <source>the file %1 is in use (%2)</source>
        <translation>il file %1 è in uso (%2)</translation>
    </message>
    <message>
        <source>The history file was damaged. It is kept as %1, and a new history has begun.</source>
        <translation>Il file della cronologia era danneggiato. È conservato come %1 ed è iniziata una nuova cronologia.</translation>
    </message>
    <message>
        <source>The history file belonged to another program. It is kept as %1, and a new history has begun.</source>
        <translation>Il file della cronologia apparteneva a un altro programma. È conservato come %1 ed è iniziata una nuova cronologia.</translation>
    </message>
    <message>
        <source>The history file was written by a newer version of Lirasto Notes. It is kept as %1, and a new history has begun.</source>
        <translation>Il file della cronologia è stato scritto da una versione più recente di Lirasto Notes. È conservato come %1 ed è iniziata una nuova cronologia.</translation>
    </message>
    <message>
        <source>the file %1 cannot be opened (%2)</source>
        <translation>il file %1 non può essere aperto (%2)</translation>
    </message>
    <message>
        <source>the file %1 cannot be written (%2)</source>
        <translation>il file %1 non può essere scritto (%2)</translation>
    </message>
    <message>
        <source>the file %1 was changed by a newer version of Lirasto Notes</source>
        <translation>il file %1 è stato modificato da una versione più recente di Lirasto Notes</translation>
    </message>
    <message>
        <source>the file %1 cannot be brought up to date (%2)</source>
        <translation>il file %1 non può essere aggiornato (%2)</translation>
    </message>
    <message>
        <source>the file %1 cannot be read (%2)</source>
        <translation>il file %1 non può essere letto (%2)</translation>
    </message>
    <message>
        <source>a run cannot be written (%1)</source>
        <translation>una partita non può essere salvata (%1)</translation>
    </message>
    <message>
        <source>an answer cannot be written (%1)</source>
        <translation>una risposta non può essere salvata (%1)</translation>
    </message>
    <message>
        <source>the history cannot be cleared (%1)</source>
        <translation>la cronologia non può essere cancellata (%1)</translation>
    </message>
</context>
<context>
    <name>TKeyboardInput</name>
    <message>
        <source> KEYS AND MIDI
 o Keys %1
 o Space starts, Escape resets
 o A MIDI keyboard answers too</source>
        <translation> TASTI E MIDI
 o Tasti %1
 o Spazio avvia, Esc azzera
 o Risponde anche una tastiera MIDI</translation>
    </message>
    <message>
        <source>Piano rows: %1</source>
        <translation>File di pianoforte: %1</translation>
    </message>
    <message>
        <source>%1, %2; %3 %4 octave</source>
        <translation>%1, %2; %3 %4 ottava</translation>
    </message>
    <message>
        <source>Note names: C D E F G A B; Shift sharp, Ctrl flat</source>
        <translation>Lettere inglesi C D E F G A B (C = Do); Maiusc ♯, Ctrl ♭</translation>
    </message>
    <message>
        <source>Note names: Latin C D E F G A B; Shift sharp, Ctrl flat</source>
        <translation>Tasti delle lettere latine C D E F G A B (C = Do); Maiusc ♯, Ctrl ♭</translation>
    </message>
</context>
<context>
    <name>TLineSummary</name>
    <message>
        <source>%1 of %2</source>
        <translation>%1 su %2</translation>
    </message>
    <message>
        <source>On time: %1 · misses: %2</source>
        <translation>A tempo: %1 · errori: %2</translation>
    </message>
    <message>
        <source> · median timing: %1 ms early</source>
        <translation> · scarto mediano: %1 ms in anticipo</translation>
    </message>
    <message>
        <source> · median timing: %1 ms late</source>
        <translation> · scarto mediano: %1 ms in ritardo</translation>
    </message>
    <message>
        <source>Right at the first try: %1 · misses: %2 · median time per note: %3</source>
        <translation>Giuste al primo tentativo: %1 · errori: %2 · tempo mediano per nota: %3</translation>
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
        <translation>Rumore della stanza: %1</translation>
    </message>
    <message>
        <source>Listening to the room for two seconds...</source>
        <translation>Ascolto della stanza per due secondi...</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Predefinito</translation>
    </message>
    <message>
        <source>No microphone: %1</source>
        <translation>Nessun microfono: %1</translation>
    </message>
    <message>
        <source>Listening</source>
        <translation>In ascolto</translation>
    </message>
    <message>
        <source>Listening on %1</source>
        <translation>In ascolto su %1</translation>
    </message>
    <message>
        <source>%1  %2%3 cents</source>
        <translation>%1  %2%3 centesimi</translation>
    </message>
</context>
<context>
    <name>TMidiInput</name>
    <message>
        <source>No MIDI input found</source>
        <translation>Nessun ingresso MIDI trovato</translation>
    </message>
</context>
<context>
    <name>TOptionsPage</name>
    <message>
        <source>Name the keys</source>
        <translation>Nomi sui tasti</translation>
    </message>
    <message>
        <source>Octave-exact answers</source>
        <translation>Risposte nell’ottava esatta</translation>
    </message>
    <message>
        <source>Sound for MIDI keys</source>
        <translation>Suono per i tasti MIDI</translation>
    </message>
    <message>
        <source>Replay the right note</source>
        <translation>Risuonare la nota giusta</translation>
    </message>
    <message>
        <source>Play the question</source>
        <translation>Suonare la domanda</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Muto</translation>
    </message>
    <message>
        <source>Drill my weak notes</source>
        <translation>Esercitare le mie note deboli</translation>
    </message>
    <message>
        <source>Mistakes cost points</source>
        <translation>Gli errori costano punti</translation>
    </message>
    <message>
        <source>The system&apos;s language</source>
        <translation>Lingua del sistema</translation>
    </message>
    <message>
        <source>As the language teaches them</source>
        <translation>Secondo l’uso della lingua</translation>
    </message>
    <message>
        <source>C D E F G A B (English)</source>
        <translation>C D E F G A B (inglese)</translation>
    </message>
    <message>
        <source>C D E F G A H (German)</source>
        <translation>C D E F G A H (tedesco)</translation>
    </message>
    <message>
        <source>Do Re Mi Fa Sol La Si (fixed do)</source>
        <translation>Do Re Mi Fa Sol La Si (do fisso)</translation>
    </message>
    <message>
        <source>Connect a keyboard to the JACK port
&quot;%1&quot;</source>
        <translation>Collega una tastiera alla porta JACK
«%1»</translation>
    </message>
    <message>
        <source>Microphone</source>
        <translation>Microfono</translation>
    </message>
</context>
<context>
    <name>TPianoSound</name>
    <message>
        <source>No SoundFont found</source>
        <translation>Nessun SoundFont trovato</translation>
    </message>
    <message>
        <source>No sound output</source>
        <translation>Nessuna uscita audio</translation>
    </message>
    <message>
        <source>No sound output: %1</source>
        <translation>Nessuna uscita audio: %1</translation>
    </message>
    <message>
        <source>No SoundFont found: %1</source>
        <translation>Nessun SoundFont trovato: %1</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 non è un file normale</translation>
    </message>
</context>
<context>
    <name>TPracticeChoice</name>
    <message>
        <source>Treble clef</source>
        <translation>Chiave di violino</translation>
    </message>
    <message>
        <source>Bass clef</source>
        <translation>Chiave di basso</translation>
    </message>
    <message>
        <source>Grand staff</source>
        <translation>Doppio pentagramma</translation>
    </message>
    <message>
        <source>Alto clef</source>
        <translation>Chiave di contralto</translation>
    </message>
    <message>
        <source>Tenor clef</source>
        <translation>Chiave di tenore</translation>
    </message>
    <message>
        <source>Treble clef, 8 below</source>
        <translation>Chiave di violino, 8 sotto</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Salva...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Elimina</translation>
    </message>
    <message>
        <source>Key of the level</source>
        <translation>Tonalità del livello</translation>
    </message>
    <message>
        <source>Random key</source>
        <translation>Tonalità casuale</translation>
    </message>
    <message>
        <source>No accidentals</source>
        <translation>Senza alterazioni</translation>
    </message>
    <message>
        <source>Chromatic notes</source>
        <translation>Note cromatiche</translation>
    </message>
    <message>
        <source>Save the practice</source>
        <translation>Salva l&apos;esercizio</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nome:</translation>
    </message>
    <message>
        <source>Practice not loaded: %1</source>
        <translation>Esercizio non caricato: %1</translation>
    </message>
    <message>
        <source>The practice was not saved: %1</source>
        <translation>L&apos;esercizio non è stato salvato: %1</translation>
    </message>
    <message>
        <source>The practice was not deleted: %1</source>
        <translation>L&apos;esercizio non è stato eliminato: %1</translation>
    </message>
</context>
<context>
    <name>TProgressPage</name>
    <message>
        <source>Export history</source>
        <translation>Esporta la cronologia</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>File CSV (*.csv)</translation>
    </message>
    <message>
        <source>Reset history</source>
        <translation>Azzera la cronologia</translation>
    </message>
    <message>
        <source>Clear every answer and run of the history? This cannot be undone.</source>
        <translation>Cancellare tutte le risposte e le partite della cronologia? L’operazione non può essere annullata.</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Cronologia</translation>
    </message>
    <message>
        <source>Export history…</source>
        <translation>Esporta la cronologia…</translation>
    </message>
    <message>
        <source>Reset history…</source>
        <translation>Azzera la cronologia…</translation>
    </message>
    <message>
        <source>The history cannot be read: %1</source>
        <translation>La cronologia non può essere letta: %1</translation>
    </message>
    <message>
        <source>Weakest notes</source>
        <translation>Note più deboli</translation>
    </message>
    <message>
        <source>No answers at this level yet.</source>
        <translation>Ancora nessuna risposta a questo livello.</translation>
    </message>
    <message>
        <source>Practice today: %1, this week: %2</source>
        <translation>Esercizio oggi: %1, questa settimana: %2</translation>
    </message>
    <message>
        <source>Runs passed: %1 of %2</source>
        <translation>Partite superate: %1 su %2</translation>
    </message>
    <message>
        <source>Scores of this level&apos;s runs (dashed: the pass line, 300) and median answer time</source>
        <translation>Punteggi delle partite di questo livello (tratteggiata: la soglia di superamento, 300) e tempo di risposta mediano</translation>
    </message>
    <message>
        <source>The history cannot be cleared now.</source>
        <translation>La cronologia non può essere cancellata ora.</translation>
    </message>
    <message>
        <source>The history could not be cleared: %1</source>
        <translation>Non è stato possibile cancellare la cronologia: %1</translation>
    </message>
    <message>
        <source>missed often</source>
        <translation>spesso sbagliata</translation>
    </message>
    <message>
        <source>half known</source>
        <translation>conosciuta a metà</translation>
    </message>
    <message>
        <source>right and fast</source>
        <translation>giusta e veloce</translation>
    </message>
    <message>
        <source>not asked yet</source>
        <translation>non ancora chiesta</translation>
    </message>
    <message>
        <source>%1 answers written to %2</source>
        <translation>%1 risposte scritte in %2</translation>
    </message>
    <message>
        <source>at this level</source>
        <translation>a questo livello</translation>
    </message>
    <message>
        <source>All levels</source>
        <translation>Tutti i livelli</translation>
    </message>
    <message>
        <source>Scores of this practice&apos;s runs and median answer time</source>
        <translation>Punteggi delle partite di questo esercizio e tempo di risposta mediano</translation>
    </message>
    <message>
        <source>in this practice</source>
        <translation>in questo esercizio</translation>
    </message>
    <message>
        <source>No answers in this practice yet.</source>
        <translation>Ancora nessuna risposta in questo esercizio.</translation>
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
        <translation>Ancora nessuna partita a questo livello</translation>
    </message>
</context>
<context>
    <name>TRunSummary</name>
    <message>
        <source>note %1</source>
        <translation>nota %1</translation>
    </message>
    <message>
        <source>No note was answered in this run.</source>
        <translation>In questa partita non è stata data risposta ad alcuna nota.</translation>
    </message>
    <message>
        <source>Right at the first try: %1 (%2 of %3)</source>
        <translation>Giuste al primo tentativo: %1 (%2 su %3)</translation>
    </message>
    <message>
        <source>Median answer time: %1</source>
        <translation>Tempo di risposta mediano: %1</translation>
    </message>
    <message>
        <source>missed: none</source>
        <translation>sbagliate: nessuna</translation>
    </message>
    <message>
        <source>missed: %1</source>
        <translation>sbagliate: %1</translation>
    </message>
</context>
<context>
    <name>TSightReading</name>
    <message>
        <source>Levels</source>
        <translation>Livelli</translation>
    </message>
    <message>
        <source>Sight-reading</source>
        <translation>Lettura a prima vista</translation>
    </message>
    <message>
        <source>Play the line from left to right! </source>
        <translation>Suona la riga da sinistra a destra! </translation>
    </message>
    <message>
        <source>The pointer shows the note due; any key of that note answers.</source>
        <translation>Il cursore indica la nota da suonare; qualsiasi tasto di quella nota risponde.</translation>
    </message>
    <message>
        <source>At your pace</source>
        <translation>Al tuo ritmo</translation>
    </message>
    <message>
        <source>%1 beats a minute</source>
        <translation>%1 battiti al minuto</translation>
    </message>
    <message>
        <source>Intervals</source>
        <translation>Intervalli</translation>
    </message>
    <message>
        <source>Triads</source>
        <translation>Triadi</translation>
    </message>
    <message>
        <source>Seventh chords</source>
        <translation>Accordi di settima</translation>
    </message>
    <message>
        <source>Key: a new one for each line</source>
        <translation>Tonalità: una nuova per ogni riga</translation>
    </message>
    <message>
        <source>Key: %1</source>
        <translation>Tonalità: %1</translation>
    </message>
    <message>
        <source>%1 minor</source>
        <translation>%1 minore</translation>
    </message>
    <message>
        <source>%1 major</source>
        <translation>%1 maggiore</translation>
    </message>
    <message>
        <source>Single notes</source>
        <translation>Note singole</translation>
    </message>
</context>
<context>
    <name>TSoundHookup</name>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
</context>
<context>
    <name>TStaffNoteCursor</name>
    <message>
        <source>Notes of the level</source>
        <translation>Note del livello</translation>
    </message>
</context>
<context>
    <name>TfMain</name>
    <message>
        <source>Lirasto Notes v1.0.0 - made by Lirasto Software. Thanks to Qt, libjpeg-turbo and the LilyPond project&apos;s Emmentaler font, on which this program is built.</source>
        <translation>Lirasto Notes v1.0.0 – realizzato da Lirasto Software. Grazie a Qt, a libjpeg-turbo e al font Emmentaler del progetto LilyPond, su cui si basa questo programma.</translation>
    </message>
    <message>
        <source>DEMO Lirasto - Notes</source>
        <extracomment>fMain.Caption</extracomment>
        <translation>DEMO Lirasto – Note</translation>
    </message>
    <message>
        <source>Lirasto</source>
        <extracomment>tsMain.Caption</extracomment>
        <translation>Lirasto</translation>
    </message>
    <message>
        <source>Time limit:</source>
        <extracomment>SkinLabel1.Caption</extracomment>
        <translation>Tempo:</translation>
    </message>
    <message>
        <source>Goal (pts) :</source>
        <extracomment>SkinLabel2.Caption</extracomment>
        <translation>Obiettivo (pt):</translation>
    </message>
    <message>
        <source>Score (pts) :</source>
        <extracomment>SkinLabel4.Caption</extracomment>
        <translation>Punteggio:</translation>
    </message>
    <message>
        <source>Question</source>
        <extracomment>lQuestion.Caption</extracomment>
        <translation>Domanda</translation>
    </message>
    <message>
        <source>Explanation</source>
        <extracomment>lExplanation.Caption</extracomment>
        <translation>Spiegazione</translation>
    </message>
    <message>
        <source>&lt;-- SELECT YOUR LEVEL HERE</source>
        <extracomment>SkinLabel12.Caption</extracomment>
        <translation>&lt;-- SCEGLI QUI IL LIVELLO</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>bReset.Caption</extracomment>
        <translation>Azzera</translation>
    </message>
    <message>
        <source>Start</source>
        <extracomment>bStart.Caption</extracomment>
        <translation>Avvia</translation>
    </message>
    <message>
        <source>Tip</source>
        <extracomment>gbTips.Caption</extracomment>
        <translation>Suggerimento</translation>
    </message>
    <message>
        <source>Say the answers out loud when the question is presented to you. </source>
        <extracomment>Label14.Caption</extracomment>
        <translation>Di’ le risposte ad alta voce quando compare la domanda. </translation>
    </message>
    <message>
        <source>Information</source>
        <extracomment>tsInfo.Caption
----------
mInfo.Caption</extracomment>
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>Lirasto Notes - made by Lirasto Software</source>
        <extracomment>mInfo.Lines.Strings</extracomment>
        <translation>Lirasto Notes – realizzato da Lirasto Software</translation>
    </message>
    <message>
        <source>For information, support, tips and other </source>
        <extracomment>mInfo.Lines.Strings</extracomment>
        <translation>Per informazioni, assistenza, consigli e altri </translation>
    </message>
    <message>
        <source>products, check out the website below.</source>
        <extracomment>mInfo.Lines.Strings</extracomment>
        <translation>prodotti: visita il sito qui sotto.</translation>
    </message>
    <message>
        <source> USAGE</source>
        <extracomment>mUsage.Lines.Strings</extracomment>
        <translation> ISTRUZIONI</translation>
    </message>
    <message>
        <source> o Select a level</source>
        <extracomment>mUsage.Lines.Strings</extracomment>
        <translation> o Scegli un livello</translation>
    </message>
    <message>
        <source> o Press &apos;Start&apos; to start the current level</source>
        <extracomment>mUsage.Lines.Strings</extracomment>
        <translation> o Premi «Avvia» per iniziare il livello scelto</translation>
    </message>
    <message>
        <source> o Press &apos;Reset&apos; to reset the current level</source>
        <extracomment>mUsage.Lines.Strings</extracomment>
        <translation> o Premi «Azzera» per ricominciare il livello</translation>
    </message>
    <message>
        <source>Options</source>
        <extracomment>tsOptions.Caption</extracomment>
        <translation>Opzioni</translation>
    </message>
    <message>
        <source>Computer keyboard</source>
        <extracomment>gbKeyboard.Caption</extracomment>
        <translation>Tastiera del computer</translation>
    </message>
    <message>
        <source>Piano rows: A S D F G H J K, W E T Y U O; Z X octave</source>
        <extracomment>rbPianoRows.Caption</extracomment>
        <translation>File di pianoforte: A S D F G H J K, W E T Y U O; Z X ottava</translation>
    </message>
    <message>
        <source>Note names: C D E F G A B; Shift sharp, Ctrl flat</source>
        <extracomment>rbNoteNames.Caption</extracomment>
        <translation>Lettere inglesi C D E F G A B (C = Do); Maiusc ♯, Ctrl ♭</translation>
    </message>
    <message>
        <source>MIDI inputs</source>
        <extracomment>gbMidi.Caption</extracomment>
        <translation>Ingressi MIDI</translation>
    </message>
    <message>
        <source>No MIDI input found</source>
        <extracomment>lNoMidi.Caption</extracomment>
        <translation>Nessun ingresso MIDI trovato</translation>
    </message>
    <message>
        <source>Sound</source>
        <extracomment>gbSound.Caption</extracomment>
        <translation>Suono</translation>
    </message>
    <message>
        <source>Practice</source>
        <extracomment>gbPractice.Caption</extracomment>
        <translation>Esercizio</translation>
    </message>
    <message>
        <source>Language</source>
        <extracomment>gbLanguage.Caption</extracomment>
        <translation>Lingua</translation>
    </message>
    <message>
        <source>Language:</source>
        <extracomment>lLanguage.Caption</extracomment>
        <translation>Lingua:</translation>
    </message>
    <message>
        <source>Note names:</source>
        <extracomment>lNoteNaming.Caption</extracomment>
        <translation>Nomi delle note:</translation>
    </message>
    <message>
        <source>A new language shows at the next start.</source>
        <extracomment>lLanguageNext.Caption</extracomment>
        <translation>La nuova lingua compare al prossimo avvio.</translation>
    </message>
    <message>
        <source>Progress</source>
        <extracomment>tsProgress.Caption</extracomment>
        <translation>Progressi</translation>
    </message>
    <message>
        <source>Microphone</source>
        <extracomment>gbMicrophone.Caption</extracomment>
        <translation>Microfono</translation>
    </message>
    <message>
        <source>Input device</source>
        <extracomment>lMicDevice.Caption</extracomment>
        <translation>Dispositivo di ingresso</translation>
    </message>
    <message>
        <source>Level</source>
        <extracomment>lMicLevel.Caption</extracomment>
        <translation>Livello</translation>
    </message>
    <message>
        <source>Note heard</source>
        <extracomment>lMicHeard.Caption</extracomment>
        <translation>Nota udita</translation>
    </message>
    <message>
        <source>Noise gate</source>
        <extracomment>lMicGate.Caption</extracomment>
        <translation>Noise gate</translation>
    </message>
    <message>
        <source>Measure the room&apos;s noise</source>
        <extracomment>bMeasureNoise.Caption</extracomment>
        <translation>Misura il rumore della stanza</translation>
    </message>
    <message>
        <source>Lowest note</source>
        <extracomment>lMicRange.Caption</extracomment>
        <translation>Nota più grave</translation>
    </message>
    <message>
        <source>Highest note</source>
        <extracomment>lMicRangeTo.Caption</extracomment>
        <translation>Nota più acuta</translation>
    </message>
</context>
</TS>
