<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>HistoryCsv</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>No se puede escribir %1: %2</translation>
    </message>
</context>
<context>
    <name>Levels</name>
    <message>
        <source>Level %1: %2 Major</source>
        <translation>Nivel %1: %2 mayor</translation>
    </message>
</context>
<context>
    <name>Modules</name>
    <message>
        <source>the module %1 is missing</source>
        <translation>falta el módulo %1</translation>
    </message>
    <message>
        <source>the module %1 did not load</source>
        <translation>el módulo %1 no se pudo cargar</translation>
    </message>
    <message>
        <source>the module %1 has no %2</source>
        <translation>el módulo %1 no tiene %2</translation>
    </message>
    <message>
        <source>the module %1 belongs to another version of the program</source>
        <translation>el módulo %1 es de otra versión del programa</translation>
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
        <translation>Líneas: %1 notas por minuto</translation>
    </message>
    <message>
        <source>, %1 of %2 on time (%3)</source>
        <translation>, %1 de %2 a tiempo (%3)</translation>
    </message>
    <message>
        <source>%1 (treble)</source>
        <translation>%1 (clave de sol)</translation>
    </message>
    <message>
        <source>%1 (bass)</source>
        <translation>%1 (clave de fa)</translation>
    </message>
    <message>
        <source>%1 — %2 of %3 right, median %4</source>
        <translation>%1 — %2 de %3 correctas, mediana %4</translation>
    </message>
    <message>
        <source>%1: not asked yet</source>
        <translation>%1: aún no preguntada</translation>
    </message>
    <message>
        <source>%1: %2 answers, %3 right, median %4</source>
        <translation>%1: %2 respuestas, %3 correctas, mediana %4</translation>
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
        <translation>%1 (clave de do en 3.ª)</translation>
    </message>
    <message>
        <source>%1 (tenor)</source>
        <translation>%1 (clave de do en 4.ª)</translation>
    </message>
    <message>
        <source>%1 (octave treble)</source>
        <translation>%1 (clave de sol octavada)</translation>
    </message>
</context>
<context>
    <name>SavedLevel</name>
    <message>
        <source>The level reached (level %1) could not be saved in %2.

%3.</source>
        <translation>No se pudo guardar el nivel alcanzado (nivel %1) en %2.

%3.</translation>
    </message>
</context>
<context>
    <name>TApplication</name>
    <message>
        <source>Unknown error</source>
        <translation>Error desconocido</translation>
    </message>
</context>
<context>
    <name>TChordExercise</name>
    <message>
        <source>minor second</source>
        <translation>segunda menor</translation>
    </message>
    <message>
        <source>major second</source>
        <translation>segunda mayor</translation>
    </message>
    <message>
        <source>minor third</source>
        <translation>tercera menor</translation>
    </message>
    <message>
        <source>major third</source>
        <translation>tercera mayor</translation>
    </message>
    <message>
        <source>perfect fourth</source>
        <translation>cuarta justa</translation>
    </message>
    <message>
        <source>augmented fourth</source>
        <translation>cuarta aumentada</translation>
    </message>
    <message>
        <source>diminished fifth</source>
        <translation>quinta disminuida</translation>
    </message>
    <message>
        <source>perfect fifth</source>
        <translation>quinta justa</translation>
    </message>
    <message>
        <source>minor sixth</source>
        <translation>sexta menor</translation>
    </message>
    <message>
        <source>major sixth</source>
        <translation>sexta mayor</translation>
    </message>
    <message>
        <source>minor seventh</source>
        <translation>séptima menor</translation>
    </message>
    <message>
        <source>major seventh</source>
        <translation>séptima mayor</translation>
    </message>
    <message>
        <source>octave</source>
        <translation>octava</translation>
    </message>
    <message>
        <source>%1 major</source>
        <translation>%1 mayor</translation>
    </message>
    <message>
        <source>%1 minor</source>
        <translation>%1 menor</translation>
    </message>
    <message>
        <source>%1 diminished</source>
        <translation>%1 disminuido</translation>
    </message>
    <message>
        <source>%1 augmented</source>
        <translation>%1 aumentado</translation>
    </message>
    <message>
        <source>%1 major seventh</source>
        <translation>%1 mayor con séptima mayor</translation>
    </message>
    <message>
        <source>%1 dominant seventh</source>
        <translation>%1 séptima de dominante</translation>
    </message>
    <message>
        <source>%1 minor seventh</source>
        <translation>%1 menor con séptima</translation>
    </message>
    <message>
        <source>%1 half-diminished seventh</source>
        <translation>%1 semidisminuido</translation>
    </message>
    <message>
        <source>%1 diminished seventh</source>
        <translation>%1 séptima disminuida</translation>
    </message>
    <message>
        <source>first inversion</source>
        <translation>primera inversión</translation>
    </message>
    <message>
        <source>second inversion</source>
        <translation>segunda inversión</translation>
    </message>
    <message>
        <source>third inversion</source>
        <translation>tercera inversión</translation>
    </message>
</context>
<context>
    <name>TChordReading</name>
    <message>
        <source>Play the chord! </source>
        <translation>¡Toca el acorde! </translation>
    </message>
    <message>
        <source>Play the interval! </source>
        <translation>¡Toca el intervalo! </translation>
    </message>
    <message>
        <source>Hold all its keys down together, or click them one after another.</source>
        <translation>Mantén todas sus teclas pulsadas a la vez, o haz clic en ellas una tras otra.</translation>
    </message>
</context>
<context>
    <name>TExportProgress</name>
    <message>
        <source>Cancel export</source>
        <translation>Cancelar la exportación</translation>
    </message>
    <message>
        <source>Exporting…</source>
        <translation>Exportando…</translation>
    </message>
    <message>
        <source>Exporting… %1 %</source>
        <translation>Exportando… %1 %</translation>
    </message>
</context>
<context>
    <name>TGameCore</name>
    <message>
        <source>What note is this? </source>
        <translation>¿Qué nota es esta? </translation>
    </message>
    <message>
        <source>Click on any corresponding key on the keyboard!</source>
        <translation>¡Haz clic en una tecla correspondiente del teclado!</translation>
    </message>
</context>
<context>
    <name>TGameLabels</name>
    <message>
        <source>Congratulations!! Press &quot;Start&quot; to play the next level!</source>
        <translation>¡¡Enhorabuena!! ¡Pulsa «Empezar» para jugar el siguiente nivel!</translation>
    </message>
    <message>
        <source>Congratulations!! You definitely know your notes!</source>
        <translation>¡¡Enhorabuena!! ¡Dominas de verdad las notas!</translation>
    </message>
    <message>
        <source>Please repeat this level!</source>
        <translation>¡Repite este nivel!</translation>
    </message>
    <message>
        <source>%1 SEC.</source>
        <translation>%1 SEG.</translation>
    </message>
    <message>
        <source>RIGHT!</source>
        <translation>¡CORRECTO!</translation>
    </message>
    <message>
        <source>WRONG!</source>
        <translation>¡INCORRECTO!</translation>
    </message>
    <message>
        <source>Well done!! You reached the goal.</source>
        <translation>¡¡Bien hecho!! Has alcanzado la meta.</translation>
    </message>
</context>
<context>
    <name>THistoryModule</name>
    <message>
        <source>History is not being kept: %1</source>
        <translation>No se está guardando el historial: %1</translation>
    </message>
</context>
<context>
    <name>THistoryStore</name>
    <message>
        <source>History is not being kept: %1</source>
        <translation>No se está guardando el historial: %1</translation>
    </message>
    <message>
        <source>the file %1 cannot be read and cannot be moved aside</source>
        <translation>el archivo %1 no se puede leer ni apartar</translation>
    </message>
    <message>
        <source>the file %1 cannot be moved aside</source>
        <translation>el archivo %1 no se puede apartar</translation>
    </message>
    <message>
        <source>the folder %1 cannot be made</source>
        <translation>no se puede crear la carpeta %1</translation>
    </message>
    <message>
        <source>%1 is not a file</source>
        <translation>%1 no es un archivo</translation>
    </message>
    <message>
        <source>the file %1 is in use (%2)</source>
        <translation>el archivo %1 está en uso (%2)</translation>
    </message>
    <message>
        <source>The history file was damaged. It is kept as %1, and a new history has begun.</source>
        <translation>El archivo del historial estaba dañado. Se conserva como %1 y ha comenzado un historial nuevo.</translation>
    </message>
    <message>
        <source>The history file belonged to another program. It is kept as %1, and a new history has begun.</source>
        <translation>El archivo del historial pertenecía a otro programa. Se conserva como %1 y ha comenzado un historial nuevo.</translation>
    </message>
    <message>
        <source>The history file was written by a newer version of Lirasto Notes. It is kept as %1, and a new history has begun.</source>
        <translation>El archivo del historial lo escribió una versión más reciente de Lirasto Notes. Se conserva como %1 y ha comenzado un historial nuevo.</translation>
    </message>
    <message>
        <source>the file %1 cannot be opened (%2)</source>
        <translation>el archivo %1 no se puede abrir (%2)</translation>
    </message>
    <message>
        <source>the file %1 cannot be written (%2)</source>
        <translation>el archivo %1 no se puede escribir (%2)</translation>
    </message>
    <message>
        <source>the file %1 was changed by a newer version of Lirasto Notes</source>
        <translation>el archivo %1 lo modificó una versión más reciente de Lirasto Notes</translation>
    </message>
    <message>
        <source>the file %1 cannot be brought up to date (%2)</source>
        <translation>el archivo %1 no se puede actualizar (%2)</translation>
    </message>
    <message>
        <source>the file %1 cannot be read (%2)</source>
        <translation>el archivo %1 no se puede leer (%2)</translation>
    </message>
    <message>
        <source>a run cannot be written (%1)</source>
        <translation>no se puede guardar una partida (%1)</translation>
    </message>
    <message>
        <source>an answer cannot be written (%1)</source>
        <translation>no se puede guardar una respuesta (%1)</translation>
    </message>
    <message>
        <source>the history cannot be cleared (%1)</source>
        <translation>no se puede borrar el historial (%1)</translation>
    </message>
</context>
<context>
    <name>TKeyboardInput</name>
    <message>
        <source> KEYS AND MIDI
 o Keys %1
 o Space starts, Escape resets
 o A MIDI keyboard answers too</source>
        <translation> TECLAS Y MIDI
 o Teclas %1
 o Espacio empieza, Esc reinicia
 o Un teclado MIDI también responde</translation>
    </message>
    <message>
        <source>Piano rows: %1</source>
        <translation>Filas de piano: %1</translation>
    </message>
    <message>
        <source>%1, %2; %3 %4 octave</source>
        <translation>%1, %2; %3 %4 octava</translation>
    </message>
    <message>
        <source>Note names: C D E F G A B; Shift sharp, Ctrl flat</source>
        <translation>Letras inglesas C D E F G A B (C = Do); Mayús ♯, Ctrl ♭</translation>
    </message>
    <message>
        <source>Note names: Latin C D E F G A B; Shift sharp, Ctrl flat</source>
        <translation>Teclas de las letras latinas C D E F G A B (C = Do); Mayús ♯, Ctrl ♭</translation>
    </message>
</context>
<context>
    <name>TLineSummary</name>
    <message>
        <source>%1 of %2</source>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>On time: %1 · misses: %2</source>
        <translation>A tiempo: %1 · fallos: %2</translation>
    </message>
    <message>
        <source> · median timing: %1 ms early</source>
        <translation> · desfase mediano: %1 ms adelantado</translation>
    </message>
    <message>
        <source> · median timing: %1 ms late</source>
        <translation> · desfase mediano: %1 ms atrasado</translation>
    </message>
    <message>
        <source>Right at the first try: %1 · misses: %2 · median time per note: %3</source>
        <translation>Correctas al primer intento: %1 · fallos: %2 · tiempo mediano por nota: %3</translation>
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
        <translation>Ruido de la sala: %1</translation>
    </message>
    <message>
        <source>Listening to the room for two seconds...</source>
        <translation>Escuchando la sala durante dos segundos...</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Predeterminado</translation>
    </message>
    <message>
        <source>No microphone: %1</source>
        <translation>Sin micrófono: %1</translation>
    </message>
    <message>
        <source>Listening</source>
        <translation>Escuchando</translation>
    </message>
    <message>
        <source>Listening on %1</source>
        <translation>Escuchando en %1</translation>
    </message>
    <message>
        <source>%1  %2%3 cents</source>
        <translation>%1  %2%3 cents</translation>
    </message>
</context>
<context>
    <name>TMidiInput</name>
    <message>
        <source>No MIDI input found</source>
        <translation>No se encontró ninguna entrada MIDI</translation>
    </message>
</context>
<context>
    <name>TOptionsPage</name>
    <message>
        <source>Name the keys</source>
        <translation>Nombrar las teclas</translation>
    </message>
    <message>
        <source>Octave-exact answers</source>
        <translation>Respuestas en la octava exacta</translation>
    </message>
    <message>
        <source>Sound for MIDI keys</source>
        <translation>Sonido para las teclas MIDI</translation>
    </message>
    <message>
        <source>Replay the right note</source>
        <translation>Volver a tocar la nota correcta</translation>
    </message>
    <message>
        <source>Play the question</source>
        <translation>Tocar la pregunta</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Silencio</translation>
    </message>
    <message>
        <source>Drill my weak notes</source>
        <translation>Practicar mis notas débiles</translation>
    </message>
    <message>
        <source>Mistakes cost points</source>
        <translation>Los errores restan puntos</translation>
    </message>
    <message>
        <source>The system&apos;s language</source>
        <translation>Idioma del sistema</translation>
    </message>
    <message>
        <source>As the language teaches them</source>
        <translation>Según el uso del idioma</translation>
    </message>
    <message>
        <source>C D E F G A B (English)</source>
        <translation>C D E F G A B (inglés)</translation>
    </message>
    <message>
        <source>C D E F G A H (German)</source>
        <translation>C D E F G A H (alemán)</translation>
    </message>
    <message>
        <source>Do Re Mi Fa Sol La Si (fixed do)</source>
        <translation>Do Re Mi Fa Sol La Si (do fijo)</translation>
    </message>
    <message>
        <source>Connect a keyboard to the JACK port
&quot;%1&quot;</source>
        <translation>Conecta un teclado al puerto JACK
«%1»</translation>
    </message>
    <message>
        <source>Microphone</source>
        <translation>Micrófono</translation>
    </message>
</context>
<context>
    <name>TPianoSound</name>
    <message>
        <source>No SoundFont found</source>
        <translation>No se encontró ninguna SoundFont</translation>
    </message>
    <message>
        <source>No sound output</source>
        <translation>Sin salida de sonido</translation>
    </message>
    <message>
        <source>No sound output: %1</source>
        <translation>Sin salida de sonido: %1</translation>
    </message>
    <message>
        <source>No SoundFont found: %1</source>
        <translation>No se encontró ninguna SoundFont: %1</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 no es un archivo normal</translation>
    </message>
</context>
<context>
    <name>TPracticeChoice</name>
    <message>
        <source>Treble clef</source>
        <translation>Clave de sol</translation>
    </message>
    <message>
        <source>Bass clef</source>
        <translation>Clave de fa</translation>
    </message>
    <message>
        <source>Grand staff</source>
        <translation>Gran pentagrama</translation>
    </message>
    <message>
        <source>Alto clef</source>
        <translation>Clave de do en 3.ª</translation>
    </message>
    <message>
        <source>Tenor clef</source>
        <translation>Clave de do en 4.ª</translation>
    </message>
    <message>
        <source>Treble clef, 8 below</source>
        <translation>Clave de sol, 8 abajo</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Guardar...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Borrar</translation>
    </message>
    <message>
        <source>Key of the level</source>
        <translation>Tonalidad del nivel</translation>
    </message>
    <message>
        <source>Random key</source>
        <translation>Tonalidad al azar</translation>
    </message>
    <message>
        <source>No accidentals</source>
        <translation>Sin alteraciones</translation>
    </message>
    <message>
        <source>Chromatic notes</source>
        <translation>Notas cromáticas</translation>
    </message>
    <message>
        <source>Save the practice</source>
        <translation>Guardar la práctica</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nombre:</translation>
    </message>
    <message>
        <source>Practice not loaded: %1</source>
        <translation>Práctica no cargada: %1</translation>
    </message>
    <message>
        <source>The practice was not saved: %1</source>
        <translation>La práctica no se guardó: %1</translation>
    </message>
    <message>
        <source>The practice was not deleted: %1</source>
        <translation>La práctica no se borró: %1</translation>
    </message>
</context>
<context>
    <name>TProgressPage</name>
    <message>
        <source>Export history</source>
        <translation>Exportar el historial</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Archivos CSV (*.csv)</translation>
    </message>
    <message>
        <source>Reset history</source>
        <translation>Restablecer el historial</translation>
    </message>
    <message>
        <source>Clear every answer and run of the history? This cannot be undone.</source>
        <translation>¿Borrar todas las respuestas y partidas del historial? No se puede deshacer.</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historial</translation>
    </message>
    <message>
        <source>Export history…</source>
        <translation>Exportar el historial…</translation>
    </message>
    <message>
        <source>Reset history…</source>
        <translation>Restablecer el historial…</translation>
    </message>
    <message>
        <source>The history cannot be read: %1</source>
        <translation>No se puede leer el historial: %1</translation>
    </message>
    <message>
        <source>Weakest notes</source>
        <translation>Notas más débiles</translation>
    </message>
    <message>
        <source>No answers at this level yet.</source>
        <translation>Todavía no hay respuestas en este nivel.</translation>
    </message>
    <message>
        <source>Practice today: %1, this week: %2</source>
        <translation>Práctica hoy: %1, esta semana: %2</translation>
    </message>
    <message>
        <source>Runs passed: %1 of %2</source>
        <translation>Partidas superadas: %1 de %2</translation>
    </message>
    <message>
        <source>Scores of this level&apos;s runs (dashed: the pass line, 300) and median answer time</source>
        <translation>Puntuación de las partidas de este nivel (discontinua: el umbral de aprobado, 300) y tiempo de respuesta mediano</translation>
    </message>
    <message>
        <source>The history cannot be cleared now.</source>
        <translation>No se puede borrar el historial ahora.</translation>
    </message>
    <message>
        <source>The history could not be cleared: %1</source>
        <translation>No se pudo borrar el historial: %1</translation>
    </message>
    <message>
        <source>missed often</source>
        <translation>fallada a menudo</translation>
    </message>
    <message>
        <source>half known</source>
        <translation>a medio saber</translation>
    </message>
    <message>
        <source>right and fast</source>
        <translation>correcta y rápida</translation>
    </message>
    <message>
        <source>not asked yet</source>
        <translation>aún no preguntada</translation>
    </message>
    <message>
        <source>%1 answers written to %2</source>
        <translation>%1 respuestas escritas en %2</translation>
    </message>
    <message>
        <source>at this level</source>
        <translation>en este nivel</translation>
    </message>
    <message>
        <source>All levels</source>
        <translation>Todos los niveles</translation>
    </message>
    <message>
        <source>Scores of this practice&apos;s runs and median answer time</source>
        <translation>Puntuación de las partidas de esta práctica y tiempo de respuesta mediano</translation>
    </message>
    <message>
        <source>in this practice</source>
        <translation>en esta práctica</translation>
    </message>
    <message>
        <source>No answers in this practice yet.</source>
        <translation>Todavía no hay respuestas en esta práctica.</translation>
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
        <translation>Todavía no hay partidas en este nivel</translation>
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
        <translation>En esta partida no se respondió ninguna nota.</translation>
    </message>
    <message>
        <source>Right at the first try: %1 (%2 of %3)</source>
        <translation>Correctas al primer intento: %1 (%2 de %3)</translation>
    </message>
    <message>
        <source>Median answer time: %1</source>
        <translation>Tiempo de respuesta mediano: %1</translation>
    </message>
    <message>
        <source>missed: none</source>
        <translation>falladas: ninguna</translation>
    </message>
    <message>
        <source>missed: %1</source>
        <translation>falladas: %1</translation>
    </message>
</context>
<context>
    <name>TSightReading</name>
    <message>
        <source>Levels</source>
        <translation>Niveles</translation>
    </message>
    <message>
        <source>Sight-reading</source>
        <translation>Lectura a primera vista</translation>
    </message>
    <message>
        <source>Play the line from left to right! </source>
        <translation>¡Toca la línea de izquierda a derecha! </translation>
    </message>
    <message>
        <source>The pointer shows the note due; any key of that note answers.</source>
        <translation>El puntero señala la nota que toca; cualquier tecla de esa nota responde.</translation>
    </message>
    <message>
        <source>At your pace</source>
        <translation>A tu ritmo</translation>
    </message>
    <message>
        <source>%1 beats a minute</source>
        <translation>%1 pulsos por minuto</translation>
    </message>
    <message>
        <source>Intervals</source>
        <translation>Intervalos</translation>
    </message>
    <message>
        <source>Triads</source>
        <translation>Tríadas</translation>
    </message>
    <message>
        <source>Seventh chords</source>
        <translation>Acordes de séptima</translation>
    </message>
    <message>
        <source>Key: a new one for each line</source>
        <translation>Tonalidad: una nueva en cada línea</translation>
    </message>
    <message>
        <source>Key: %1</source>
        <translation>Tonalidad: %1</translation>
    </message>
    <message>
        <source>%1 minor</source>
        <translation>%1 menor</translation>
    </message>
    <message>
        <source>%1 major</source>
        <translation>%1 mayor</translation>
    </message>
    <message>
        <source>Single notes</source>
        <translation>Notas sueltas</translation>
    </message>
</context>
<context>
    <name>TSoundHookup</name>
    <message>
        <source>Volume</source>
        <translation>Volumen</translation>
    </message>
</context>
<context>
    <name>TStaffNoteCursor</name>
    <message>
        <source>Notes of the level</source>
        <translation>Notas del nivel</translation>
    </message>
</context>
<context>
    <name>TfMain</name>
    <message>
        <source>Lirasto Notes v1.0.0 - made by Lirasto Software. Thanks to Qt, libjpeg-turbo and the LilyPond project&apos;s Emmentaler font, on which this program is built.</source>
        <translation>Lirasto Notes v1.0.0 – creado por Lirasto Software. Gracias a Qt, a libjpeg-turbo y a la fuente Emmentaler del proyecto LilyPond, sobre los que se construye este programa.</translation>
    </message>
    <message>
        <source>DEMO Lirasto - Notes</source>
        <extracomment>fMain.Caption</extracomment>
        <translation>DEMO Lirasto – Notas</translation>
    </message>
    <message>
        <source>Lirasto</source>
        <extracomment>tsMain.Caption</extracomment>
        <translation>Lirasto</translation>
    </message>
    <message>
        <source>Time limit:</source>
        <extracomment>SkinLabel1.Caption</extracomment>
        <translation>Tiempo:</translation>
    </message>
    <message>
        <source>Goal (pts) :</source>
        <extracomment>SkinLabel2.Caption</extracomment>
        <translation>Meta (ptos.):</translation>
    </message>
    <message>
        <source>Score (pts) :</source>
        <extracomment>SkinLabel4.Caption</extracomment>
        <translation>Puntos:</translation>
    </message>
    <message>
        <source>Question</source>
        <extracomment>lQuestion.Caption</extracomment>
        <translation>Pregunta</translation>
    </message>
    <message>
        <source>Explanation</source>
        <extracomment>lExplanation.Caption</extracomment>
        <translation>Explicación</translation>
    </message>
    <message>
        <source>&lt;-- SELECT YOUR LEVEL HERE</source>
        <extracomment>SkinLabel12.Caption</extracomment>
        <translation>&lt;-- ELIGE TU NIVEL AQUÍ</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>bReset.Caption</extracomment>
        <translation>Reiniciar</translation>
    </message>
    <message>
        <source>Start</source>
        <extracomment>bStart.Caption</extracomment>
        <translation>Empezar</translation>
    </message>
    <message>
        <source>Tip</source>
        <extracomment>gbTips.Caption</extracomment>
        <translation>Consejo</translation>
    </message>
    <message>
        <source>Say the answers out loud when the question is presented to you. </source>
        <extracomment>Label14.Caption</extracomment>
        <translation>Di las respuestas en voz alta cuando aparezca la pregunta. </translation>
    </message>
    <message>
        <source>Information</source>
        <extracomment>tsInfo.Caption
----------
mInfo.Caption</extracomment>
        <translation>Información</translation>
    </message>
    <message>
        <source>Lirasto Notes - made by Lirasto Software</source>
        <extracomment>mInfo.Lines.Strings</extracomment>
        <translation>Lirasto Notes – creado por Lirasto Software</translation>
    </message>
    <message>
        <source>For information, support, tips and other </source>
        <extracomment>mInfo.Lines.Strings</extracomment>
        <translation>Para información, ayuda, consejos y otros </translation>
    </message>
    <message>
        <source>products, check out the website below.</source>
        <extracomment>mInfo.Lines.Strings</extracomment>
        <translation>productos, visita el sitio web de abajo.</translation>
    </message>
    <message>
        <source> USAGE</source>
        <extracomment>mUsage.Lines.Strings</extracomment>
        <translation> USO</translation>
    </message>
    <message>
        <source> o Select a level</source>
        <extracomment>mUsage.Lines.Strings</extracomment>
        <translation> o Elige un nivel</translation>
    </message>
    <message>
        <source> o Press &apos;Start&apos; to start the current level</source>
        <extracomment>mUsage.Lines.Strings</extracomment>
        <translation> o Pulsa «Empezar» para comenzar el nivel actual</translation>
    </message>
    <message>
        <source> o Press &apos;Reset&apos; to reset the current level</source>
        <extracomment>mUsage.Lines.Strings</extracomment>
        <translation> o Pulsa «Reiniciar» para reiniciar el nivel actual</translation>
    </message>
    <message>
        <source>Options</source>
        <extracomment>tsOptions.Caption</extracomment>
        <translation>Opciones</translation>
    </message>
    <message>
        <source>Computer keyboard</source>
        <extracomment>gbKeyboard.Caption</extracomment>
        <translation>Teclado del ordenador</translation>
    </message>
    <message>
        <source>Piano rows: A S D F G H J K, W E T Y U O; Z X octave</source>
        <extracomment>rbPianoRows.Caption</extracomment>
        <translation>Filas de piano: A S D F G H J K, W E T Y U O; Z X octava</translation>
    </message>
    <message>
        <source>Note names: C D E F G A B; Shift sharp, Ctrl flat</source>
        <extracomment>rbNoteNames.Caption</extracomment>
        <translation>Letras inglesas C D E F G A B (C = Do); Mayús ♯, Ctrl ♭</translation>
    </message>
    <message>
        <source>MIDI inputs</source>
        <extracomment>gbMidi.Caption</extracomment>
        <translation>Entradas MIDI</translation>
    </message>
    <message>
        <source>No MIDI input found</source>
        <extracomment>lNoMidi.Caption</extracomment>
        <translation>No se encontró ninguna entrada MIDI</translation>
    </message>
    <message>
        <source>Sound</source>
        <extracomment>gbSound.Caption</extracomment>
        <translation>Sonido</translation>
    </message>
    <message>
        <source>Practice</source>
        <extracomment>gbPractice.Caption</extracomment>
        <translation>Práctica</translation>
    </message>
    <message>
        <source>Language</source>
        <extracomment>gbLanguage.Caption</extracomment>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Language:</source>
        <extracomment>lLanguage.Caption</extracomment>
        <translation>Idioma:</translation>
    </message>
    <message>
        <source>Note names:</source>
        <extracomment>lNoteNaming.Caption</extracomment>
        <translation>Nombres de notas:</translation>
    </message>
    <message>
        <source>A new language shows at the next start.</source>
        <extracomment>lLanguageNext.Caption</extracomment>
        <translation>El nuevo idioma se verá en el próximo inicio.</translation>
    </message>
    <message>
        <source>Progress</source>
        <extracomment>tsProgress.Caption</extracomment>
        <translation>Progreso</translation>
    </message>
    <message>
        <source>Microphone</source>
        <extracomment>gbMicrophone.Caption</extracomment>
        <translation>Micrófono</translation>
    </message>
    <message>
        <source>Input device</source>
        <extracomment>lMicDevice.Caption</extracomment>
        <translation>Dispositivo de entrada</translation>
    </message>
    <message>
        <source>Level</source>
        <extracomment>lMicLevel.Caption</extracomment>
        <translation>Nivel</translation>
    </message>
    <message>
        <source>Note heard</source>
        <extracomment>lMicHeard.Caption</extracomment>
        <translation>Nota oída</translation>
    </message>
    <message>
        <source>Noise gate</source>
        <extracomment>lMicGate.Caption</extracomment>
        <translation>Puerta de ruido</translation>
    </message>
    <message>
        <source>Measure the room&apos;s noise</source>
        <extracomment>bMeasureNoise.Caption</extracomment>
        <translation>Medir el ruido de la sala</translation>
    </message>
    <message>
        <source>Lowest note</source>
        <extracomment>lMicRange.Caption</extracomment>
        <translation>Nota más grave</translation>
    </message>
    <message>
        <source>Highest note</source>
        <extracomment>lMicRangeTo.Caption</extracomment>
        <translation>Nota más aguda</translation>
    </message>
</context>
</TS>
