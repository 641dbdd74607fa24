<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>HistoryCsv</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Не удаётся записать %1: %2</translation>
    </message>
</context>
<context>
    <name>Levels</name>
    <message>
        <source>Level %1: %2 Major</source>
        <translation>Уровень %1: %2 мажор</translation>
    </message>
</context>
<context>
    <name>Modules</name>
    <message>
        <source>the module %1 is missing</source>
        <translation>нет модуля %1</translation>
    </message>
    <message>
        <source>the module %1 did not load</source>
        <translation>модуль %1 не загрузился</translation>
    </message>
    <message>
        <source>the module %1 has no %2</source>
        <translation>в модуле %1 нет %2</translation>
    </message>
    <message>
        <source>the module %1 belongs to another version of the program</source>
        <translation>модуль %1 от другой версии программы</translation>
    </message>
</context>
<context>
    <name>NoteFigures</name>
    <message>
        <source>%1.%2 s</source>
        <translation>%1,%2 с</translation>
    </message>
</context>
<context>
    <name>NoteNames</name>
    <message>
        <source>Do</source>
        <translation>До</translation>
    </message>
    <message>
        <source>Re</source>
        <translation>Ре</translation>
    </message>
    <message>
        <source>Mi</source>
        <translation>Ми</translation>
    </message>
    <message>
        <source>Fa</source>
        <translation>Фа</translation>
    </message>
    <message>
        <source>Sol</source>
        <translation>Соль</translation>
    </message>
    <message>
        <source>La</source>
        <translation>Ля</translation>
    </message>
    <message>
        <source>Si</source>
        <translation>Си</translation>
    </message>
</context>
<context>
    <name>ProgressStats</name>
    <message>
        <source>Lines: %1 notes a minute</source>
        <translation>Строки: %1 нот в минуту</translation>
    </message>
    <message>
        <source>, %1 of %2 on time (%3)</source>
        <translation>, %1 из %2 вовремя (%3)</translation>
    </message>
    <message>
        <source>%1 (treble)</source>
        <translation>%1 (скрипичный ключ)</translation>
    </message>
    <message>
        <source>%1 (bass)</source>
        <translation>%1 (басовый ключ)</translation>
    </message>
    <message>
        <source>%1 — %2 of %3 right, median %4</source>
        <translation>%1 — верно %2 из %3, медиана %4</translation>
    </message>
    <message>
        <source>%1: not asked yet</source>
        <translation>%1: ещё не спрашивалась</translation>
    </message>
    <message>
        <source>%1: %2 answers, %3 right, median %4</source>
        <translation>%1: ответов %2, верно %3, медиана %4</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 мин</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 ч %2 мин</translation>
    </message>
    <message>
        <source>%1 (alto)</source>
        <translation>%1 (альтовый ключ)</translation>
    </message>
    <message>
        <source>%1 (tenor)</source>
        <translation>%1 (теноровый ключ)</translation>
    </message>
    <message>
        <source>%1 (octave treble)</source>
        <translation>%1 (скрипичный ключ с октавой ниже)</translation>
    </message>
</context>
<context>
    <name>SavedLevel</name>
    <message>
        <source>The level reached (level %1) could not be saved in %2.

%3.</source>
        <translation>Не удалось сохранить достигнутый уровень (уровень %1) в %2.

%3.</translation>
    </message>
</context>
<context>
    <name>TApplication</name>
    <message>
        <source>Unknown error</source>
        <translation>Неизвестная ошибка</translation>
    </message>
</context>
<context>
    <name>TChordExercise</name>
    <message>
        <source>minor second</source>
        <translation>малая секунда</translation>
    </message>
    <message>
        <source>major second</source>
        <translation>большая секунда</translation>
    </message>
    <message>
        <source>minor third</source>
        <translation>малая терция</translation>
    </message>
    <message>
        <source>major third</source>
        <translation>большая терция</translation>
    </message>
    <message>
        <source>perfect fourth</source>
        <translation>чистая кварта</translation>
    </message>
    <message>
        <source>augmented fourth</source>
        <translation>увеличенная кварта</translation>
    </message>
    <message>
        <source>diminished fifth</source>
        <translation>уменьшённая квинта</translation>
    </message>
    <message>
        <source>perfect fifth</source>
        <translation>чистая квинта</translation>
    </message>
    <message>
        <source>minor sixth</source>
        <translation>малая секста</translation>
    </message>
    <message>
        <source>major sixth</source>
        <translation>большая секста</translation>
    </message>
    <message>
        <source>minor seventh</source>
        <translation>малая септима</translation>
    </message>
    <message>
        <source>major seventh</source>
        <translation>большая септима</translation>
    </message>
    <message>
        <source>octave</source>
        <translation>октава</translation>
    </message>
    <message>
        <source>%1 major</source>
        <translation>%1 мажор</translation>
    </message>
    <message>
        <source>%1 minor</source>
        <translation>%1 минор</translation>
    </message>
    <message>
        <source>%1 diminished</source>
        <translation>%1 уменьшённое трезвучие</translation>
    </message>
    <message>
        <source>%1 augmented</source>
        <translation>%1 увеличенное трезвучие</translation>
    </message>
    <message>
        <source>%1 major seventh</source>
        <translation>%1 большой мажорный септаккорд</translation>
    </message>
    <message>
        <source>%1 dominant seventh</source>
        <translation>%1 доминантсептаккорд</translation>
    </message>
    <message>
        <source>%1 minor seventh</source>
        <translation>%1 малый минорный септаккорд</translation>
    </message>
    <message>
        <source>%1 half-diminished seventh</source>
        <translation>%1 полуменьшённый септаккорд</translation>
    </message>
    <message>
        <source>%1 diminished seventh</source>
        <translation>%1 уменьшённый септаккорд</translation>
    </message>
    <message>
        <source>first inversion</source>
        <translation>первое обращение</translation>
    </message>
    <message>
        <source>second inversion</source>
        <translation>второе обращение</translation>
    </message>
    <message>
        <source>third inversion</source>
        <translation>третье обращение</translation>
    </message>
</context>
<context>
    <name>TChordReading</name>
    <message>
        <source>Play the chord! </source>
        <translation>Сыграй аккорд! </translation>
    </message>
    <message>
        <source>Play the interval! </source>
        <translation>Сыграй интервал! </translation>
    </message>
    <message>
        <source>Hold all its keys down together, or click them one after another.</source>
        <translation>Держи все его клавиши вместе или щёлкай по ним по очереди.</translation>
    </message>
</context>
<context>
    <name>TExportProgress</name>
    <message>
        <source>Cancel export</source>
        <translation>Отменить экспорт</translation>
    </message>
    <message>
        <source>Exporting…</source>
        <translation>Экспорт…</translation>
    </message>
    <message>
        <source>Exporting… %1 %</source>
        <translation>Экспорт… %1 %</translation>
    </message>
</context>
<context>
    <name>TGameCore</name>
    <message>
        <source>What note is this? </source>
        <translation>Какая это нота? </translation>
    </message>
    <message>
        <source>Click on any corresponding key on the keyboard!</source>
        <translation>Нажми на любую соответствующую клавишу!</translation>
    </message>
</context>
<context>
    <name>TGameLabels</name>
    <message>
        <source>Congratulations!! Press &quot;Start&quot; to play the next level!</source>
        <translation>Поздравляем!! Нажми «Старт», чтобы перейти на следующий уровень!</translation>
    </message>
    <message>
        <source>Congratulations!! You definitely know your notes!</source>
        <translation>Поздравляем!! Ты действительно знаешь ноты!</translation>
    </message>
    <message>
        <source>Please repeat this level!</source>
        <translation>Пройди этот уровень ещё раз!</translation>
    </message>
    <message>
        <source>%1 SEC.</source>
        <translation>%1 СЕК.</translation>
    </message>
    <message>
        <source>RIGHT!</source>
        <translation>ВЕРНО!</translation>
    </message>
    <message>
        <source>WRONG!</source>
        <translation>НЕВЕРНО!</translation>
    </message>
    <message>
        <source>Well done!! You reached the goal.</source>
        <translation>Отлично!! Цель достигнута.</translation>
    </message>
</context>
<context>
    <name>THistoryModule</name>
    <message>
        <source>History is not being kept: %1</source>
        <translation>История не сохраняется: %1</translation>
    </message>
</context>
<context>
    <name>THistoryStore</name>
    <message>
        <source>History is not being kept: %1</source>
        <translation>История не сохраняется: %1</translation>
    </message>
    <message>
        <source>the file %1 cannot be read and cannot be moved aside</source>
        <translation>файл %1 нельзя ни прочитать, ни отложить в сторону</translation>
    </message>
    <message>
        <source>the file %1 cannot be moved aside</source>
        <translation>файл %1 нельзя отложить в сторону</translation>
    </message>
    <message>
        <source>the folder %1 cannot be made</source>
        <translation>не удаётся создать папку %1</translation>
    </message>
    <message>
        <source>%1 is not a file</source>
        <translation>%1 — не файл</translation>
    </message>
    <message>
        <source>the file %1 is in use (%2)</source>
        <translation>файл %1 используется (%2)</translation>
    </message>
    <message>
        <source>The history file was damaged. It is kept as %1, and a new history has begun.</source>
        <translation>Файл истории был повреждён. Он сохранён как %1, начата новая история.</translation>
    </message>
    <message>
        <source>The history file belonged to another program. It is kept as %1, and a new history has begun.</source>
        <translation>Файл истории принадлежал другой программе. Он сохранён как %1, начата новая история.</translation>
    </message>
    <message>
        <source>The history file was written by a newer version of Lirasto Notes. It is kept as %1, and a new history has begun.</source>
        <translation>Файл истории записан более новой версией Lirasto Notes. Он сохранён как %1, начата новая история.</translation>
    </message>
    <message>
        <source>the file %1 cannot be opened (%2)</source>
        <translation>не удаётся открыть файл %1 (%2)</translation>
    </message>
    <message>
        <source>the file %1 cannot be written (%2)</source>
        <translation>не удаётся записать файл %1 (%2)</translation>
    </message>
    <message>
        <source>the file %1 was changed by a newer version of Lirasto Notes</source>
        <translation>файл %1 изменён более новой версией Lirasto Notes</translation>
    </message>
    <message>
        <source>the file %1 cannot be brought up to date (%2)</source>
        <translation>не удаётся обновить файл %1 (%2)</translation>
    </message>
    <message>
        <source>the file %1 cannot be read (%2)</source>
        <translation>не удаётся прочитать файл %1 (%2)</translation>
    </message>
    <message>
        <source>a run cannot be written (%1)</source>
        <translation>не удаётся записать попытку (%1)</translation>
    </message>
    <message>
        <source>an answer cannot be written (%1)</source>
        <translation>не удаётся записать ответ (%1)</translation>
    </message>
    <message>
        <source>the history cannot be cleared (%1)</source>
        <translation>не удаётся очистить историю (%1)</translation>
    </message>
</context>
<context>
    <name>TKeyboardInput</name>
    <message>
        <source> KEYS AND MIDI
 o Keys %1
 o Space starts, Escape resets
 o A MIDI keyboard answers too</source>
        <translation> КЛАВИШИ И MIDI
 o Клавиши %1
 o Пробел — старт, Esc — сброс
 o MIDI-клавиатура тоже отвечает</translation>
    </message>
    <message>
        <source>Piano rows: %1</source>
        <translation>Ряды как у фортепиано: %1</translation>
    </message>
    <message>
        <source>%1, %2; %3 %4 octave</source>
        <translation>%1, %2; %3 %4 октава</translation>
    </message>
    <message>
        <source>Note names: C D E F G A B; Shift sharp, Ctrl flat</source>
        <translation>Английские буквы C D E F G A B (C = до); Shift ♯, Ctrl ♭</translation>
    </message>
    <message>
        <source>Note names: Latin C D E F G A B; Shift sharp, Ctrl flat</source>
        <translation>Клавиши латинских букв C D E F G A B (C = до); Shift ♯, Ctrl ♭</translation>
    </message>
</context>
<context>
    <name>TLineSummary</name>
    <message>
        <source>%1 of %2</source>
        <translation>%1 из %2</translation>
    </message>
    <message>
        <source>On time: %1 · misses: %2</source>
        <translation>Вовремя: %1 · ошибки: %2</translation>
    </message>
    <message>
        <source> · median timing: %1 ms early</source>
        <translation> · медианное отклонение: %1 мс раньше</translation>
    </message>
    <message>
        <source> · median timing: %1 ms late</source>
        <translation> · медианное отклонение: %1 мс позже</translation>
    </message>
    <message>
        <source>Right at the first try: %1 · misses: %2 · median time per note: %3</source>
        <translation>Верно с первой попытки: %1 · ошибки: %2 · медианное время на ноту: %3</translation>
    </message>
</context>
<context>
    <name>TMicrophoneHookup</name>
    <message>
        <source>%1 dB</source>
        <translation>%1 дБ</translation>
    </message>
    <message>
        <source>The room&apos;s noise: %1</source>
        <translation>Шум в комнате: %1</translation>
    </message>
    <message>
        <source>Listening to the room for two seconds...</source>
        <translation>Слушаю комнату две секунды...</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>По умолчанию</translation>
    </message>
    <message>
        <source>No microphone: %1</source>
        <translation>Нет микрофона: %1</translation>
    </message>
    <message>
        <source>Listening</source>
        <translation>Слушаю</translation>
    </message>
    <message>
        <source>Listening on %1</source>
        <translation>Слушаю на %1</translation>
    </message>
    <message>
        <source>%1  %2%3 cents</source>
        <translation>%1  %2%3 ц.</translation>
    </message>
</context>
<context>
    <name>TMidiInput</name>
    <message>
        <source>No MIDI input found</source>
        <translation>MIDI-вход не найден</translation>
    </message>
</context>
<context>
    <name>TOptionsPage</name>
    <message>
        <source>Name the keys</source>
        <translation>Подписать клавиши</translation>
    </message>
    <message>
        <source>Octave-exact answers</source>
        <translation>Ответы в точной октаве</translation>
    </message>
    <message>
        <source>Sound for MIDI keys</source>
        <translation>Звук для MIDI-клавиш</translation>
    </message>
    <message>
        <source>Replay the right note</source>
        <translation>Проиграть верную ноту</translation>
    </message>
    <message>
        <source>Play the question</source>
        <translation>Проиграть вопрос</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Без звука</translation>
    </message>
    <message>
        <source>Drill my weak notes</source>
        <translation>Тренировать слабые ноты</translation>
    </message>
    <message>
        <source>Mistakes cost points</source>
        <translation>Ошибки отнимают очки</translation>
    </message>
    <message>
        <source>The system&apos;s language</source>
        <translation>Язык системы</translation>
    </message>
    <message>
        <source>As the language teaches them</source>
        <translation>Как принято в языке</translation>
    </message>
    <message>
        <source>C D E F G A B (English)</source>
        <translation>C D E F G A B (английские)</translation>
    </message>
    <message>
        <source>C D E F G A H (German)</source>
        <translation>C D E F G A H (немецкие)</translation>
    </message>
    <message>
        <source>Do Re Mi Fa Sol La Si (fixed do)</source>
        <translation>До Ре Ми Фа Соль Ля Си (слоговые)</translation>
    </message>
    <message>
        <source>Connect a keyboard to the JACK port
&quot;%1&quot;</source>
        <translation>Подключи клавиатуру к порту JACK
«%1»</translation>
    </message>
    <message>
        <source>Microphone</source>
        <translation>Микрофон</translation>
    </message>
</context>
<context>
    <name>TPianoSound</name>
    <message>
        <source>No SoundFont found</source>
        <translation>SoundFont не найден</translation>
    </message>
    <message>
        <source>No sound output</source>
        <translation>Нет вывода звука</translation>
    </message>
    <message>
        <source>No sound output: %1</source>
        <translation>Нет вывода звука: %1</translation>
    </message>
    <message>
        <source>No SoundFont found: %1</source>
        <translation>SoundFont не найден: %1</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 — не обычный файл</translation>
    </message>
</context>
<context>
    <name>TPracticeChoice</name>
    <message>
        <source>Treble clef</source>
        <translation>Скрипичный ключ</translation>
    </message>
    <message>
        <source>Bass clef</source>
        <translation>Басовый ключ</translation>
    </message>
    <message>
        <source>Grand staff</source>
        <translation>Фортепианная система</translation>
    </message>
    <message>
        <source>Alto clef</source>
        <translation>Альтовый ключ</translation>
    </message>
    <message>
        <source>Tenor clef</source>
        <translation>Теноровый ключ</translation>
    </message>
    <message>
        <source>Treble clef, 8 below</source>
        <translation>Скрипичный ключ, 8 внизу</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Сохранить...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Key of the level</source>
        <translation>Тональность уровня</translation>
    </message>
    <message>
        <source>Random key</source>
        <translation>Случайная тональность</translation>
    </message>
    <message>
        <source>No accidentals</source>
        <translation>Без случайных знаков</translation>
    </message>
    <message>
        <source>Chromatic notes</source>
        <translation>Хроматические ноты</translation>
    </message>
    <message>
        <source>Save the practice</source>
        <translation>Сохранить упражнение</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Название:</translation>
    </message>
    <message>
        <source>Practice not loaded: %1</source>
        <translation>Упражнение не загружено: %1</translation>
    </message>
    <message>
        <source>The practice was not saved: %1</source>
        <translation>Упражнение не сохранено: %1</translation>
    </message>
    <message>
        <source>The practice was not deleted: %1</source>
        <translation>Упражнение не удалено: %1</translation>
    </message>
</context>
<context>
    <name>TProgressPage</name>
    <message>
        <source>Export history</source>
        <translation>Экспорт истории</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Файлы CSV (*.csv)</translation>
    </message>
    <message>
        <source>Reset history</source>
        <translation>Сбросить историю</translation>
    </message>
    <message>
        <source>Clear every answer and run of the history? This cannot be undone.</source>
        <translation>Удалить все ответы и попытки из истории? Это действие нельзя отменить.</translation>
    </message>
    <message>
        <source>History</source>
        <translation>История</translation>
    </message>
    <message>
        <source>Export history…</source>
        <translation>Экспорт истории…</translation>
    </message>
    <message>
        <source>Reset history…</source>
        <translation>Сбросить историю…</translation>
    </message>
    <message>
        <source>The history cannot be read: %1</source>
        <translation>Не удаётся прочитать историю: %1</translation>
    </message>
    <message>
        <source>Weakest notes</source>
        <translation>Самые слабые ноты</translation>
    </message>
    <message>
        <source>No answers at this level yet.</source>
        <translation>На этом уровне ещё нет ответов.</translation>
    </message>
    <message>
        <source>Practice today: %1, this week: %2</source>
        <translation>Занятия сегодня: %1, за неделю: %2</translation>
    </message>
    <message>
        <source>Runs passed: %1 of %2</source>
        <translation>Пройдено попыток: %1 из %2</translation>
    </message>
    <message>
        <source>Scores of this level&apos;s runs (dashed: the pass line, 300) and median answer time</source>
        <translation>Очки попыток этого уровня (пунктир — порог прохождения, 300) и медианное время ответа</translation>
    </message>
    <message>
        <source>The history cannot be cleared now.</source>
        <translation>Сейчас нельзя очистить историю.</translation>
    </message>
    <message>
        <source>The history could not be cleared: %1</source>
        <translation>Не удалось очистить историю: %1</translation>
    </message>
    <message>
        <source>missed often</source>
        <translation>часто ошибки</translation>
    </message>
    <message>
        <source>half known</source>
        <translation>знаю наполовину</translation>
    </message>
    <message>
        <source>right and fast</source>
        <translation>верно и быстро</translation>
    </message>
    <message>
        <source>not asked yet</source>
        <translation>ещё не было</translation>
    </message>
    <message>
        <source>%1 answers written to %2</source>
        <translation>Ответов записано в %2: %1</translation>
    </message>
    <message>
        <source>at this level</source>
        <translation>на этом уровне</translation>
    </message>
    <message>
        <source>All levels</source>
        <translation>Все уровни</translation>
    </message>
    <message>
        <source>Scores of this practice&apos;s runs and median answer time</source>
        <translation>Очки попыток этого упражнения и медианное время ответа</translation>
    </message>
    <message>
        <source>in this practice</source>
        <translation>в этом упражнении</translation>
    </message>
    <message>
        <source>No answers in this practice yet.</source>
        <translation>В этом упражнении ещё нет ответов.</translation>
    </message>
</context>
<context>
    <name>TRunChart</name>
    <message>
        <source>%1 s</source>
        <translation>%1 с</translation>
    </message>
    <message>
        <source>No runs of this level yet</source>
        <translation>На этом уровне ещё нет попыток</translation>
    </message>
</context>
<context>
    <name>TRunSummary</name>
    <message>
        <source>note %1</source>
        <translation>нота %1</translation>
    </message>
    <message>
        <source>No note was answered in this run.</source>
        <translation>В этой попытке не было ответов.</translation>
    </message>
    <message>
        <source>Right at the first try: %1 (%2 of %3)</source>
        <translation>Верно с первой попытки: %1 (%2 из %3)</translation>
    </message>
    <message>
        <source>Median answer time: %1</source>
        <translation>Медианное время ответа: %1</translation>
    </message>
    <message>
        <source>missed: none</source>
        <translation>ошибки: нет</translation>
    </message>
    <message>
        <source>missed: %1</source>
        <translation>ошибки: %1</translation>
    </message>
</context>
<context>
    <name>TSightReading</name>
    <message>
        <source>Levels</source>
        <translation>Уровни</translation>
    </message>
    <message>
        <source>Sight-reading</source>
        <translation>Чтение с листа</translation>
    </message>
    <message>
        <source>Play the line from left to right! </source>
        <translation>Сыграй строку слева направо! </translation>
    </message>
    <message>
        <source>The pointer shows the note due; any key of that note answers.</source>
        <translation>Указатель показывает, какую ноту играть; отвечает любая клавиша этой ноты.</translation>
    </message>
    <message>
        <source>At your pace</source>
        <translation>В своём темпе</translation>
    </message>
    <message>
        <source>%1 beats a minute</source>
        <translation>%1 уд./мин</translation>
    </message>
    <message>
        <source>Intervals</source>
        <translation>Интервалы</translation>
    </message>
    <message>
        <source>Triads</source>
        <translation>Трезвучия</translation>
    </message>
    <message>
        <source>Seventh chords</source>
        <translation>Септаккорды</translation>
    </message>
    <message>
        <source>Key: a new one for each line</source>
        <translation>Тональность: новая для каждой строки</translation>
    </message>
    <message>
        <source>Key: %1</source>
        <translation>Тональность: %1</translation>
    </message>
    <message>
        <source>%1 minor</source>
        <translation>%1 минор</translation>
    </message>
    <message>
        <source>%1 major</source>
        <translation>%1 мажор</translation>
    </message>
    <message>
        <source>Single notes</source>
        <translation>Отдельные ноты</translation>
    </message>
</context>
<context>
    <name>TSoundHookup</name>
    <message>
        <source>Volume</source>
        <translation>Громкость</translation>
    </message>
</context>
<context>
    <name>TStaffNoteCursor</name>
    <message>
        <source>Notes of the level</source>
        <translation>Ноты уровня</translation>
    </message>
</context>
<context>
    <name>TfMain</name>
    <message>
        <source>Lirasto Notes v1.0.0 - made by Lirasto Software. Thanks to Qt, libjpeg-turbo and the LilyPond project&apos;s Emmentaler font, on which this program is built.</source>
        <translation>Lirasto Notes v1.0.0 — создано Lirasto Software. Спасибо Qt, libjpeg-turbo и шрифту Emmentaler проекта LilyPond, на которых построена эта программа.</translation>
    </message>
    <message>
        <source>DEMO Lirasto - Notes</source>
        <extracomment>fMain.Caption</extracomment>
        <translation>ДЕМО Lirasto — Ноты</translation>
    </message>
    <message>
        <source>Lirasto</source>
        <extracomment>tsMain.Caption</extracomment>
        <translation>Lirasto</translation>
    </message>
    <message>
        <source>Time limit:</source>
        <extracomment>SkinLabel1.Caption</extracomment>
        <translation>Время:</translation>
    </message>
    <message>
        <source>Goal (pts) :</source>
        <extracomment>SkinLabel2.Caption</extracomment>
        <translation>Цель (очки):</translation>
    </message>
    <message>
        <source>Score (pts) :</source>
        <extracomment>SkinLabel4.Caption</extracomment>
        <translation>Очки:</translation>
    </message>
    <message>
        <source>Question</source>
        <extracomment>lQuestion.Caption</extracomment>
        <translation>Вопрос</translation>
    </message>
    <message>
        <source>Explanation</source>
        <extracomment>lExplanation.Caption</extracomment>
        <translation>Пояснение</translation>
    </message>
    <message>
        <source>&lt;-- SELECT YOUR LEVEL HERE</source>
        <extracomment>SkinLabel12.Caption</extracomment>
        <translation>&lt;-- ВЫБЕРИ УРОВЕНЬ ЗДЕСЬ</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>bReset.Caption</extracomment>
        <translation>Сброс</translation>
    </message>
    <message>
        <source>Start</source>
        <extracomment>bStart.Caption</extracomment>
        <translation>Старт</translation>
    </message>
    <message>
        <source>Tip</source>
        <extracomment>gbTips.Caption</extracomment>
        <translation>Совет</translation>
    </message>
    <message>
        <source>Say the answers out loud when the question is presented to you. </source>
        <extracomment>Label14.Caption</extracomment>
        <translation>Называй ответы вслух, когда появляется вопрос. </translation>
    </message>
    <message>
        <source>Information</source>
        <extracomment>tsInfo.Caption
----------
mInfo.Caption</extracomment>
        <translation>Информация</translation>
    </message>
    <message>
        <source>Lirasto Notes - made by Lirasto Software</source>
        <extracomment>mInfo.Lines.Strings</extracomment>
        <translation>Lirasto Notes — создано Lirasto Software</translation>
    </message>
    <message>
        <source>For information, support, tips and other </source>
        <extracomment>mInfo.Lines.Strings</extracomment>
        <translation>Информация, поддержка, советы и другие </translation>
    </message>
    <message>
        <source>products, check out the website below.</source>
        <extracomment>mInfo.Lines.Strings</extracomment>
        <translation>продукты — на сайте ниже.</translation>
    </message>
    <message>
        <source> USAGE</source>
        <extracomment>mUsage.Lines.Strings</extracomment>
        <translation> КАК ПОЛЬЗОВАТЬСЯ</translation>
    </message>
    <message>
        <source> o Select a level</source>
        <extracomment>mUsage.Lines.Strings</extracomment>
        <translation> o Выбери уровень</translation>
    </message>
    <message>
        <source> o Press &apos;Start&apos; to start the current level</source>
        <extracomment>mUsage.Lines.Strings</extracomment>
        <translation> o Нажми «Старт», чтобы начать текущий уровень</translation>
    </message>
    <message>
        <source> o Press &apos;Reset&apos; to reset the current level</source>
        <extracomment>mUsage.Lines.Strings</extracomment>
        <translation> o Нажми «Сброс», чтобы начать уровень заново</translation>
    </message>
    <message>
        <source>Options</source>
        <extracomment>tsOptions.Caption</extracomment>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Computer keyboard</source>
        <extracomment>gbKeyboard.Caption</extracomment>
        <translation>Клавиатура компьютера</translation>
    </message>
    <message>
        <source>Piano rows: A S D F G H J K, W E T Y U O; Z X octave</source>
        <extracomment>rbPianoRows.Caption</extracomment>
        <translation>Ряды как у фортепиано: A S D F G H J K, W E T Y U O; Z X октава</translation>
    </message>
    <message>
        <source>Note names: C D E F G A B; Shift sharp, Ctrl flat</source>
        <extracomment>rbNoteNames.Caption</extracomment>
        <translation>Английские буквы C D E F G A B (C = до); Shift ♯, Ctrl ♭</translation>
    </message>
    <message>
        <source>MIDI inputs</source>
        <extracomment>gbMidi.Caption</extracomment>
        <translation>MIDI-входы</translation>
    </message>
    <message>
        <source>No MIDI input found</source>
        <extracomment>lNoMidi.Caption</extracomment>
        <translation>MIDI-вход не найден</translation>
    </message>
    <message>
        <source>Sound</source>
        <extracomment>gbSound.Caption</extracomment>
        <translation>Звук</translation>
    </message>
    <message>
        <source>Practice</source>
        <extracomment>gbPractice.Caption</extracomment>
        <translation>Тренировка</translation>
    </message>
    <message>
        <source>Language</source>
        <extracomment>gbLanguage.Caption</extracomment>
        <translation>Язык</translation>
    </message>
    <message>
        <source>Language:</source>
        <extracomment>lLanguage.Caption</extracomment>
        <translation>Язык:</translation>
    </message>
    <message>
        <source>Note names:</source>
        <extracomment>lNoteNaming.Caption</extracomment>
        <translation>Названия нот:</translation>
    </message>
    <message>
        <source>A new language shows at the next start.</source>
        <extracomment>lLanguageNext.Caption</extracomment>
        <translation>Новый язык появится при следующем запуске.</translation>
    </message>
    <message>
        <source>Progress</source>
        <extracomment>tsProgress.Caption</extracomment>
        <translation>Прогресс</translation>
    </message>
    <message>
        <source>Microphone</source>
        <extracomment>gbMicrophone.Caption</extracomment>
        <translation>Микрофон</translation>
    </message>
    <message>
        <source>Input device</source>
        <extracomment>lMicDevice.Caption</extracomment>
        <translation>Устройство ввода</translation>
    </message>
    <message>
        <source>Level</source>
        <extracomment>lMicLevel.Caption</extracomment>
        <translation>Уровень</translation>
    </message>
    <message>
        <source>Note heard</source>
        <extracomment>lMicHeard.Caption</extracomment>
        <translation>Слышимая нота</translation>
    </message>
    <message>
        <source>Noise gate</source>
        <extracomment>lMicGate.Caption</extracomment>
        <translation>Шумовой порог</translation>
    </message>
    <message>
        <source>Measure the room&apos;s noise</source>
        <extracomment>bMeasureNoise.Caption</extracomment>
        <translation>Измерить шум в комнате</translation>
    </message>
    <message>
        <source>Lowest note</source>
        <extracomment>lMicRange.Caption</extracomment>
        <translation>Самая низкая нота</translation>
    </message>
    <message>
        <source>Highest note</source>
        <extracomment>lMicRangeTo.Caption</extracomment>
        <translation>Самая высокая нота</translation>
    </message>
</context>
</TS>
