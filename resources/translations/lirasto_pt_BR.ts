<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>HistoryCsv</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Não foi possível gravar %1: %2</translation>
    </message>
</context>
<context>
    <name>Levels</name>
    <message>
        <source>Level %1: %2 Major</source>
        <translation>Nível %1: %2 maior</translation>
    </message>
</context>
<context>
    <name>Modules</name>
    <message>
        <source>the module %1 is missing</source>
        <translation>o módulo %1 não foi encontrado</translation>
    </message>
    <message>
        <source>the module %1 did not load</source>
        <translation>o módulo %1 não pôde ser carregado</translation>
    </message>
    <message>
        <source>the module %1 has no %2</source>
        <translation>o módulo %1 não tem %2</translation>
    </message>
    <message>
        <source>the module %1 belongs to another version of the program</source>
        <translation>o módulo %1 é de outra versão do programa</translation>
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
        <translation>Dó</translation>
    </message>
    <message>
        <source>Re</source>
        <translation>Ré</translation>
    </message>
    <message>
        <source>Mi</source>
        <translation>Mi</translation>
    </message>
    <message>
        <source>Fa</source>
        <translation>Fá</translation>
    </message>
    <message>
        <source>Sol</source>
        <translation>Sol</translation>
    </message>
    <message>
        <source>La</source>
        <translation>Lá</translation>
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
        <translation>Linhas: %1 notas por minuto</translation>
    </message>
    <message>
        <source>, %1 of %2 on time (%3)</source>
        <translation>, %1 de %2 no tempo (%3)</translation>
    </message>
    <message>
        <source>%1 (treble)</source>
        <translation>%1 (clave de sol)</translation>
    </message>
    <message>
        <source>%1 (bass)</source>
        <translation>%1 (clave de fá)</translation>
    </message>
    <message>
        <source>%1 — %2 of %3 right, median %4</source>
        <translation>%1 — %2 de %3 certas, mediana %4</translation>
    </message>
    <message>
        <source>%1: not asked yet</source>
        <translation>%1: ainda não perguntada</translation>
    </message>
    <message>
        <source>%1: %2 answers, %3 right, median %4</source>
        <translation>%1: %2 respostas, %3 certas, mediana %4</translation>
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
        <translation>%1 (clave de dó na 3ª)</translation>
    </message>
    <message>
        <source>%1 (tenor)</source>
        <translation>%1 (clave de dó na 4ª)</translation>
    </message>
    <message>
        <source>%1 (octave treble)</source>
        <translation>%1 (clave de sol oitavada)</translation>
    </message>
</context>
<context>
    <name>SavedLevel</name>
    <message>
        <source>The level reached (level %1) could not be saved in %2.

%3.</source>
        <translation>Não foi possível salvar o nível alcançado (nível %1) em %2.

%3.</translation>
    </message>
</context>
<context>
    <name>TApplication</name>
    <message>
        <source>Unknown error</source>
        <translation>Erro desconhecido</translation>
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
        <translation>segunda maior</translation>
    </message>
    <message>
        <source>minor third</source>
        <translation>terça menor</translation>
    </message>
    <message>
        <source>major third</source>
        <translation>terça maior</translation>
    </message>
    <message>
        <source>perfect fourth</source>
        <translation>quarta justa</translation>
    </message>
    <message>
        <source>augmented fourth</source>
        <translation>quarta aumentada</translation>
    </message>
    <message>
        <source>diminished fifth</source>
        <translation>quinta diminuta</translation>
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
        <translation>sexta maior</translation>
    </message>
    <message>
        <source>minor seventh</source>
        <translation>sétima menor</translation>
    </message>
    <message>
        <source>major seventh</source>
        <translation>sétima maior</translation>
    </message>
    <message>
        <source>octave</source>
        <translation>oitava</translation>
    </message>
    <message>
        <source>%1 major</source>
        <translation>%1 maior</translation>
    </message>
    <message>
        <source>%1 minor</source>
        <translation>%1 menor</translation>
    </message>
    <message>
        <source>%1 diminished</source>
        <translation>%1 diminuto</translation>
    </message>
    <message>
        <source>%1 augmented</source>
        <translation>%1 aumentado</translation>
    </message>
    <message>
        <source>%1 major seventh</source>
        <translation>%1 maior com sétima maior</translation>
    </message>
    <message>
        <source>%1 dominant seventh</source>
        <translation>%1 com sétima da dominante</translation>
    </message>
    <message>
        <source>%1 minor seventh</source>
        <translation>%1 menor com sétima</translation>
    </message>
    <message>
        <source>%1 half-diminished seventh</source>
        <translation>%1 meio-diminuto</translation>
    </message>
    <message>
        <source>%1 diminished seventh</source>
        <translation>%1 com sétima diminuta</translation>
    </message>
    <message>
        <source>first inversion</source>
        <translation>primeira inversão</translation>
    </message>
    <message>
        <source>second inversion</source>
        <translation>segunda inversão</translation>
    </message>
    <message>
        <source>third inversion</source>
        <translation>terceira inversão</translation>
    </message>
</context>
<context>
    <name>TChordReading</name>
    <message>
        <source>Play the chord! </source>
        <translation>Toque o acorde! </translation>
    </message>
    <message>
        <source>Play the interval! </source>
        <translation>Toque o intervalo! </translation>
    </message>
    <message>
        <source>Hold all its keys down together, or click them one after another.</source>
        <translation>Segure todas as suas teclas juntas, ou clique nelas uma após a outra.</translation>
    </message>
</context>
<context>
    <name>TExportProgress</name>
    <message>
        <source>Cancel export</source>
        <translation>Cancelar exportação</translation>
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
        <translation>Que nota é esta? </translation>
    </message>
    <message>
        <source>Click on any corresponding key on the keyboard!</source>
        <translation>Clique em uma tecla correspondente do teclado!</translation>
    </message>
</context>
<context>
    <name>TGameLabels</name>
    <message>
        <source>Congratulations!! Press &quot;Start&quot; to play the next level!</source>
        <translation>Parabéns!! Pressione “Iniciar” para jogar o próximo nível!</translation>
    </message>
    <message>
        <source>Congratulations!! You definitely know your notes!</source>
        <translation>Parabéns!! Você conhece mesmo as notas!</translation>
    </message>
    <message>
        <source>Please repeat this level!</source>
        <translation>Repita este nível!</translation>
    </message>
    <message>
        <source>%1 SEC.</source>
        <translation>%1 SEG.</translation>
    </message>
    <message>
        <source>RIGHT!</source>
        <translation>CERTO!</translation>
    </message>
    <message>
        <source>WRONG!</source>
        <translation>ERRADO!</translation>
    </message>
    <message>
        <source>Well done!! You reached the goal.</source>
        <translation>Muito bem!! Você atingiu a meta.</translation>
    </message>
</context>
<context>
    <name>THistoryModule</name>
    <message>
        <source>History is not being kept: %1</source>
        <translation>O histórico não está sendo salvo: %1</translation>
    </message>
</context>
<context>
    <name>THistoryStore</name>
    <message>
        <source>History is not being kept: %1</source>
        <translation>O histórico não está sendo salvo: %1</translation>
    </message>
    <message>
        <source>the file %1 cannot be read and cannot be moved aside</source>
        <translation>o arquivo %1 não pode ser lido nem posto de lado</translation>
    </message>
    <message>
        <source>the file %1 cannot be moved aside</source>
        <translation>o arquivo %1 não pode ser posto de lado</translation>
    </message>
    <message>
        <source>the folder %1 cannot be made</source>
        <translation>a pasta %1 não pode ser criada</translation>
    </message>
    <message>
        <source>%1 is not a file</source>
        <translation>%1 não é um arquivo</translation>
    </message>
    <message>
        <source>the file %1 is in use (%2)</source>
        <translation>o arquivo %1 está em uso (%2)</translation>
    </message>
    <message>
        <source>The history file was damaged. It is kept as %1, and a new history has begun.</source>
        <translation>O arquivo do histórico estava danificado. Ele foi guardado como %1 e um novo histórico começou.</translation>
    </message>
    <message>
        <source>The history file belonged to another program. It is kept as %1, and a new history has begun.</source>
        <translation>O arquivo do histórico pertencia a outro programa. Ele foi guardado como %1 e um novo histórico começou.</translation>
    </message>
    <message>
        <source>The history file was written by a newer version of Lirasto Notes. It is kept as %1, and a new history has begun.</source>
        <translation>O arquivo do histórico foi gravado por uma versão mais nova do Lirasto Notes. Ele foi guardado como %1 e um novo histórico começou.</translation>
    </message>
    <message>
        <source>the file %1 cannot be opened (%2)</source>
        <translation>o arquivo %1 não pode ser aberto (%2)</translation>
    </message>
    <message>
        <source>the file %1 cannot be written (%2)</source>
        <translation>o arquivo %1 não pode ser gravado (%2)</translation>
    </message>
    <message>
        <source>the file %1 was changed by a newer version of Lirasto Notes</source>
        <translation>o arquivo %1 foi alterado por uma versão mais nova do Lirasto Notes</translation>
    </message>
    <message>
        <source>the file %1 cannot be brought up to date (%2)</source>
        <translation>o arquivo %1 não pode ser atualizado (%2)</translation>
    </message>
    <message>
        <source>the file %1 cannot be read (%2)</source>
        <translation>o arquivo %1 não pode ser lido (%2)</translation>
    </message>
    <message>
        <source>a run cannot be written (%1)</source>
        <translation>uma rodada não pode ser salva (%1)</translation>
    </message>
    <message>
        <source>an answer cannot be written (%1)</source>
        <translation>uma resposta não pode ser salva (%1)</translation>
    </message>
    <message>
        <source>the history cannot be cleared (%1)</source>
        <translation>o histórico não pode ser apagado (%1)</translation>
    </message>
</context>
<context>
    <name>TKeyboardInput</name>
    <message>
        <source> KEYS AND MIDI
 o Keys %1
 o Space starts, Escape resets
 o A MIDI keyboard answers too</source>
        <translation> TECLAS E MIDI
 o Teclas %1
 o Espaço inicia, Esc reinicia
 o Um teclado MIDI também responde</translation>
    </message>
    <message>
        <source>Piano rows: %1</source>
        <translation>Fileiras de piano: %1</translation>
    </message>
    <message>
        <source>%1, %2; %3 %4 octave</source>
        <translation>%1, %2; %3 %4 oitava</translation>
    </message>
    <message>
        <source>Note names: C D E F G A B; Shift sharp, Ctrl flat</source>
        <translation>Letras inglesas C D E F G A B (C = Dó); Shift ♯, Ctrl ♭</translation>
    </message>
    <message>
        <source>Note names: Latin C D E F G A B; Shift sharp, Ctrl flat</source>
        <translation>Teclas das letras latinas C D E F G A B (C = Dó); Shift ♯, Ctrl ♭</translation>
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
        <translation>No tempo: %1 · erros: %2</translation>
    </message>
    <message>
        <source> · median timing: %1 ms early</source>
        <translation> · desvio mediano: %1 ms adiantado</translation>
    </message>
    <message>
        <source> · median timing: %1 ms late</source>
        <translation> · desvio mediano: %1 ms atrasado</translation>
    </message>
    <message>
        <source>Right at the first try: %1 · misses: %2 · median time per note: %3</source>
        <translation>Certas na primeira tentativa: %1 · erros: %2 · tempo mediano por nota: %3</translation>
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
        <translation>Ruído da sala: %1</translation>
    </message>
    <message>
        <source>Listening to the room for two seconds...</source>
        <translation>Ouvindo a sala por dois segundos...</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Padrão</translation>
    </message>
    <message>
        <source>No microphone: %1</source>
        <translation>Sem microfone: %1</translation>
    </message>
    <message>
        <source>Listening</source>
        <translation>Ouvindo</translation>
    </message>
    <message>
        <source>Listening on %1</source>
        <translation>Ouvindo em %1</translation>
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
        <translation>Nenhuma entrada MIDI encontrada</translation>
    </message>
</context>
<context>
    <name>TOptionsPage</name>
    <message>
        <source>Name the keys</source>
        <translation>Nomear as teclas</translation>
    </message>
    <message>
        <source>Octave-exact answers</source>
        <translation>Respostas na oitava exata</translation>
    </message>
    <message>
        <source>Sound for MIDI keys</source>
        <translation>Som para as teclas MIDI</translation>
    </message>
    <message>
        <source>Replay the right note</source>
        <translation>Tocar de novo a nota certa</translation>
    </message>
    <message>
        <source>Play the question</source>
        <translation>Tocar a pergunta</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Mudo</translation>
    </message>
    <message>
        <source>Drill my weak notes</source>
        <translation>Treinar minhas notas fracas</translation>
    </message>
    <message>
        <source>Mistakes cost points</source>
        <translation>Erros custam pontos</translation>
    </message>
    <message>
        <source>The system&apos;s language</source>
        <translation>Idioma do sistema</translation>
    </message>
    <message>
        <source>As the language teaches them</source>
        <translation>Conforme o uso do idioma</translation>
    </message>
    <message>
        <source>C D E F G A B (English)</source>
        <translation>C D E F G A B (inglês)</translation>
    </message>
    <message>
        <source>C D E F G A H (German)</source>
        <translation>C D E F G A H (alemão)</translation>
    </message>
    <message>
        <source>Do Re Mi Fa Sol La Si (fixed do)</source>
        <translation>Dó Ré Mi Fá Sol Lá Si (dó fixo)</translation>
    </message>
    <message>
        <source>Connect a keyboard to the JACK port
&quot;%1&quot;</source>
        <translation>Conecte um teclado à porta JACK
“%1”</translation>
    </message>
    <message>
        <source>Microphone</source>
        <translation>Microfone</translation>
    </message>
</context>
<context>
    <name>TPianoSound</name>
    <message>
        <source>No SoundFont found</source>
        <translation>Nenhuma SoundFont encontrada</translation>
    </message>
    <message>
        <source>No sound output</source>
        <translation>Sem saída de som</translation>
    </message>
    <message>
        <source>No sound output: %1</source>
        <translation>Sem saída de som: %1</translation>
    </message>
    <message>
        <source>No SoundFont found: %1</source>
        <translation>Nenhuma SoundFont encontrada: %1</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 não é um arquivo comum</translation>
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
        <translation>Clave de fá</translation>
    </message>
    <message>
        <source>Grand staff</source>
        <translation>Pauta dupla</translation>
    </message>
    <message>
        <source>Alto clef</source>
        <translation>Clave de dó na 3ª</translation>
    </message>
    <message>
        <source>Tenor clef</source>
        <translation>Clave de dó na 4ª</translation>
    </message>
    <message>
        <source>Treble clef, 8 below</source>
        <translation>Clave de sol, 8 abaixo</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Salvar...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Excluir</translation>
    </message>
    <message>
        <source>Key of the level</source>
        <translation>Tom do nível</translation>
    </message>
    <message>
        <source>Random key</source>
        <translation>Tom aleatório</translation>
    </message>
    <message>
        <source>No accidentals</source>
        <translation>Sem acidentes</translation>
    </message>
    <message>
        <source>Chromatic notes</source>
        <translation>Notas cromáticas</translation>
    </message>
    <message>
        <source>Save the practice</source>
        <translation>Salvar o exercício</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nome:</translation>
    </message>
    <message>
        <source>Practice not loaded: %1</source>
        <translation>Exercício não carregado: %1</translation>
    </message>
    <message>
        <source>The practice was not saved: %1</source>
        <translation>O exercício não foi salvo: %1</translation>
    </message>
    <message>
        <source>The practice was not deleted: %1</source>
        <translation>O exercício não foi excluído: %1</translation>
    </message>
</context>
<context>
    <name>TProgressPage</name>
    <message>
        <source>Export history</source>
        <translation>Exportar o histórico</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Arquivos CSV (*.csv)</translation>
    </message>
    <message>
        <source>Reset history</source>
        <translation>Redefinir o histórico</translation>
    </message>
    <message>
        <source>Clear every answer and run of the history? This cannot be undone.</source>
        <translation>Apagar todas as respostas e rodadas do histórico? Isso não pode ser desfeito.</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Histórico</translation>
    </message>
    <message>
        <source>Export history…</source>
        <translation>Exportar o histórico…</translation>
    </message>
    <message>
        <source>Reset history…</source>
        <translation>Redefinir o histórico…</translation>
    </message>
    <message>
        <source>The history cannot be read: %1</source>
        <translation>O histórico não pode ser lido: %1</translation>
    </message>
    <message>
        <source>Weakest notes</source>
        <translation>Notas mais fracas</translation>
    </message>
    <message>
        <source>No answers at this level yet.</source>
        <translation>Ainda não há respostas neste nível.</translation>
    </message>
    <message>
        <source>Practice today: %1, this week: %2</source>
        <translation>Prática hoje: %1, nesta semana: %2</translation>
    </message>
    <message>
        <source>Runs passed: %1 of %2</source>
        <translation>Rodadas aprovadas: %1 de %2</translation>
    </message>
    <message>
        <source>Scores of this level&apos;s runs (dashed: the pass line, 300) and median answer time</source>
        <translation>Pontuação das rodadas deste nível (tracejada: a linha de aprovação, 300) e tempo mediano de resposta</translation>
    </message>
    <message>
        <source>The history cannot be cleared now.</source>
        <translation>O histórico não pode ser apagado agora.</translation>
    </message>
    <message>
        <source>The history could not be cleared: %1</source>
        <translation>Não foi possível apagar o histórico: %1</translation>
    </message>
    <message>
        <source>missed often</source>
        <translation>errada com frequência</translation>
    </message>
    <message>
        <source>half known</source>
        <translation>meio sabida</translation>
    </message>
    <message>
        <source>right and fast</source>
        <translation>certa e rápida</translation>
    </message>
    <message>
        <source>not asked yet</source>
        <translation>ainda não perguntada</translation>
    </message>
    <message>
        <source>%1 answers written to %2</source>
        <translation>%1 respostas gravadas em %2</translation>
    </message>
    <message>
        <source>at this level</source>
        <translation>neste nível</translation>
    </message>
    <message>
        <source>All levels</source>
        <translation>Todos os níveis</translation>
    </message>
    <message>
        <source>Scores of this practice&apos;s runs and median answer time</source>
        <translation>Pontuação das rodadas desta prática e tempo mediano de resposta</translation>
    </message>
    <message>
        <source>in this practice</source>
        <translation>nesta prática</translation>
    </message>
    <message>
        <source>No answers in this practice yet.</source>
        <translation>Ainda não há respostas nesta prática.</translation>
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
        <translation>Ainda não há rodadas neste nível</translation>
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
        <translation>Nenhuma nota foi respondida nesta rodada.</translation>
    </message>
    <message>
        <source>Right at the first try: %1 (%2 of %3)</source>
        <translation>Certas na primeira tentativa: %1 (%2 de %3)</translation>
    </message>
    <message>
        <source>Median answer time: %1</source>
        <translation>Tempo mediano de resposta: %1</translation>
    </message>
    <message>
        <source>missed: none</source>
        <translation>erradas: nenhuma</translation>
    </message>
    <message>
        <source>missed: %1</source>
        <translation>erradas: %1</translation>
    </message>
</context>
<context>
    <name>TSightReading</name>
    <message>
        <source>Levels</source>
        <translation>Níveis</translation>
    </message>
    <message>
        <source>Sight-reading</source>
        <translation>Leitura à primeira vista</translation>
    </message>
    <message>
        <source>Play the line from left to right! </source>
        <translation>Toque a linha da esquerda para a direita! </translation>
    </message>
    <message>
        <source>The pointer shows the note due; any key of that note answers.</source>
        <translation>O ponteiro mostra a nota da vez; qualquer tecla dessa nota responde.</translation>
    </message>
    <message>
        <source>At your pace</source>
        <translation>No seu ritmo</translation>
    </message>
    <message>
        <source>%1 beats a minute</source>
        <translation>%1 batidas por minuto</translation>
    </message>
    <message>
        <source>Intervals</source>
        <translation>Intervalos</translation>
    </message>
    <message>
        <source>Triads</source>
        <translation>Tríades</translation>
    </message>
    <message>
        <source>Seventh chords</source>
        <translation>Acordes de sétima</translation>
    </message>
    <message>
        <source>Key: a new one for each line</source>
        <translation>Tonalidade: uma nova a cada linha</translation>
    </message>
    <message>
        <source>Key: %1</source>
        <translation>Tonalidade: %1</translation>
    </message>
    <message>
        <source>%1 minor</source>
        <translation>%1 menor</translation>
    </message>
    <message>
        <source>%1 major</source>
        <translation>%1 maior</translation>
    </message>
    <message>
        <source>Single notes</source>
        <translation>Notas isoladas</translation>
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
        <translation>Notas do nível</translation>
    </message>
</context>
<context>
    <name>TfMain</name>
    <message>
        <source>Lirasto Notes v1.0.0 - made by Lirasto Software. Thanks to Qt, libjpeg-turbo and the LilyPond project&apos;s Emmentaler font, on which this program is built.</source>
        <translation>Lirasto Notes v1.0.0 – feito pela Lirasto Software. Agradecemos ao Qt, à libjpeg-turbo e à fonte Emmentaler do projeto LilyPond, sobre os quais este programa foi construído.</translation>
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
        <translation>Tempo:</translation>
    </message>
    <message>
        <source>Goal (pts) :</source>
        <extracomment>SkinLabel2.Caption</extracomment>
        <translation>Meta (pts):</translation>
    </message>
    <message>
        <source>Score (pts) :</source>
        <extracomment>SkinLabel4.Caption</extracomment>
        <translation>Pontos:</translation>
    </message>
    <message>
        <source>Question</source>
        <extracomment>lQuestion.Caption</extracomment>
        <translation>Pergunta</translation>
    </message>
    <message>
        <source>Explanation</source>
        <extracomment>lExplanation.Caption</extracomment>
        <translation>Explicação</translation>
    </message>
    <message>
        <source>&lt;-- SELECT YOUR LEVEL HERE</source>
        <extracomment>SkinLabel12.Caption</extracomment>
        <translation>&lt;-- ESCOLHA SEU NÍVEL AQUI</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>bReset.Caption</extracomment>
        <translation>Reiniciar</translation>
    </message>
    <message>
        <source>Start</source>
        <extracomment>bStart.Caption</extracomment>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>Tip</source>
        <extracomment>gbTips.Caption</extracomment>
        <translation>Dica</translation>
    </message>
    <message>
        <source>Say the answers out loud when the question is presented to you. </source>
        <extracomment>Label14.Caption</extracomment>
        <translation>Diga as respostas em voz alta quando a pergunta aparecer. </translation>
    </message>
    <message>
        <source>Information</source>
        <extracomment>tsInfo.Caption
----------
mInfo.Caption</extracomment>
        <translation>Informações</translation>
    </message>
    <message>
        <source>Lirasto Notes - made by Lirasto Software</source>
        <extracomment>mInfo.Lines.Strings</extracomment>
        <translation>Lirasto Notes – feito pela Lirasto Software</translation>
    </message>
    <message>
        <source>For information, support, tips and other </source>
        <extracomment>mInfo.Lines.Strings</extracomment>
        <translation>Para informações, suporte, dicas e outros </translation>
    </message>
    <message>
        <source>products, check out the website below.</source>
        <extracomment>mInfo.Lines.Strings</extracomment>
        <translation>produtos: visite o site abaixo.</translation>
    </message>
    <message>
        <source> USAGE</source>
        <extracomment>mUsage.Lines.Strings</extracomment>
        <translation> COMO USAR</translation>
    </message>
    <message>
        <source> o Select a level</source>
        <extracomment>mUsage.Lines.Strings</extracomment>
        <translation> o Escolha um nível</translation>
    </message>
    <message>
        <source> o Press &apos;Start&apos; to start the current level</source>
        <extracomment>mUsage.Lines.Strings</extracomment>
        <translation> o Pressione “Iniciar” para começar o nível atual</translation>
    </message>
    <message>
        <source> o Press &apos;Reset&apos; to reset the current level</source>
        <extracomment>mUsage.Lines.Strings</extracomment>
        <translation> o Pressione “Reiniciar” para reiniciar o nível atual</translation>
    </message>
    <message>
        <source>Options</source>
        <extracomment>tsOptions.Caption</extracomment>
        <translation>Opções</translation>
    </message>
    <message>
        <source>Computer keyboard</source>
        <extracomment>gbKeyboard.Caption</extracomment>
        <translation>Teclado do computador</translation>
    </message>
    <message>
        <source>Piano rows: A S D F G H J K, W E T Y U O; Z X octave</source>
        <extracomment>rbPianoRows.Caption</extracomment>
        <translation>Fileiras de piano: A S D F G H J K, W E T Y U O; Z X oitava</translation>
    </message>
    <message>
        <source>Note names: C D E F G A B; Shift sharp, Ctrl flat</source>
        <extracomment>rbNoteNames.Caption</extracomment>
        <translation>Letras inglesas C D E F G A B (C = Dó); Shift ♯, Ctrl ♭</translation>
    </message>
    <message>
        <source>MIDI inputs</source>
        <extracomment>gbMidi.Caption</extracomment>
        <translation>Entradas MIDI</translation>
    </message>
    <message>
        <source>No MIDI input found</source>
        <extracomment>lNoMidi.Caption</extracomment>
        <translation>Nenhuma entrada MIDI encontrada</translation>
    </message>
    <message>
        <source>Sound</source>
        <extracomment>gbSound.Caption</extracomment>
        <translation>Som</translation>
    </message>
    <message>
        <source>Practice</source>
        <extracomment>gbPractice.Caption</extracomment>
        <translation>Prática</translation>
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
        <translation>Nomes das notas:</translation>
    </message>
    <message>
        <source>A new language shows at the next start.</source>
        <extracomment>lLanguageNext.Caption</extracomment>
        <translation>O novo idioma aparece na próxima inicialização.</translation>
    </message>
    <message>
        <source>Progress</source>
        <extracomment>tsProgress.Caption</extracomment>
        <translation>Progresso</translation>
    </message>
    <message>
        <source>Microphone</source>
        <extracomment>gbMicrophone.Caption</extracomment>
        <translation>Microfone</translation>
    </message>
    <message>
        <source>Input device</source>
        <extracomment>lMicDevice.Caption</extracomment>
        <translation>Dispositivo de entrada</translation>
    </message>
    <message>
        <source>Level</source>
        <extracomment>lMicLevel.Caption</extracomment>
        <translation>Nível</translation>
    </message>
    <message>
        <source>Note heard</source>
        <extracomment>lMicHeard.Caption</extracomment>
        <translation>Nota ouvida</translation>
    </message>
    <message>
        <source>Noise gate</source>
        <extracomment>lMicGate.Caption</extracomment>
        <translation>Porta de ruído</translation>
    </message>
    <message>
        <source>Measure the room&apos;s noise</source>
        <extracomment>bMeasureNoise.Caption</extracomment>
        <translation>Medir o ruído da sala</translation>
    </message>
    <message>
        <source>Lowest note</source>
        <extracomment>lMicRange.Caption</extracomment>
        <translation>Nota mais grave</translation>
    </message>
    <message>
        <source>Highest note</source>
        <extracomment>lMicRangeTo.Caption</extracomment>
        <translation>Nota mais aguda</translation>
    </message>
</context>
</TS>
