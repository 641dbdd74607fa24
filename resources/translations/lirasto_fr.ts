<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>HistoryCsv</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Impossible d’écrire %1 : %2</translation>
    </message>
</context>
<context>
    <name>Levels</name>
    <message>
        <source>Level %1: %2 Major</source>
        <translation>Niveau %1 : %2 majeur</translation>
    </message>
</context>
<context>
    <name>Modules</name>
    <message>
        <source>the module %1 is missing</source>
        <translation>le module %1 est absent</translation>
    </message>
    <message>
        <source>the module %1 did not load</source>
        <translation>le module %1 n’a pas pu être chargé</translation>
    </message>
    <message>
        <source>the module %1 has no %2</source>
        <translation>le module %1 n’a pas de %2</translation>
    </message>
    <message>
        <source>the module %1 belongs to another version of the program</source>
        <translation>le module %1 appartient à une autre version du programme</translation>
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
        <translation>Ré</translation>
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
        <translation>Lignes : %1 notes par minute</translation>
    </message>
    <message>
        <source>, %1 of %2 on time (%3)</source>
        <translation>, %1 sur %2 à temps (%3)</translation>
    </message>
    <message>
        <source>%1 (treble)</source>
        <translation>%1 (clé de sol)</translation>
    </message>
    <message>
        <source>%1 (bass)</source>
        <translation>%1 (clé de fa)</translation>
    </message>
    <message>
        <source>%1 — %2 of %3 right, median %4</source>
        <translation>%1 — %2 sur %3 justes, médiane %4</translation>
    </message>
    <message>
        <source>%1: not asked yet</source>
        <translation>%1 : pas encore demandée</translation>
    </message>
    <message>
        <source>%1: %2 answers, %3 right, median %4</source>
        <translation>%1 : %2 réponses, %3 justes, médiane %4</translation>
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
        <translation>%1 (clé d’ut 3)</translation>
    </message>
    <message>
        <source>%1 (tenor)</source>
        <translation>%1 (clé d’ut 4)</translation>
    </message>
    <message>
        <source>%1 (octave treble)</source>
        <translation>%1 (clé de sol octaviée)</translation>
    </message>
</context>
<context>
    <name>SavedLevel</name>
    <message>
        <source>The level reached (level %1) could not be saved in %2.

%3.</source>
        <translation>Le niveau atteint (niveau %1) n’a pas pu être enregistré dans %2.

%3.</translation>
    </message>
</context>
<context>
    <name>TApplication</name>
    <message>
        <source>Unknown error</source>
        <translation>Erreur inconnue</translation>
    </message>
</context>
<context>
    <name>TChordExercise</name>
    <message>
        <source>minor second</source>
        <translation>seconde mineure</translation>
    </message>
    <message>
        <source>major second</source>
        <translation>seconde majeure</translation>
    </message>
    <message>
        <source>minor third</source>
        <translation>tierce mineure</translation>
    </message>
    <message>
        <source>major third</source>
        <translation>tierce majeure</translation>
    </message>
    <message>
        <source>perfect fourth</source>
        <translation>quarte juste</translation>
    </message>
    <message>
        <source>augmented fourth</source>
        <translation>quarte augmentée</translation>
    </message>
    <message>
        <source>diminished fifth</source>
        <translation>quinte diminuée</translation>
    </message>
    <message>
        <source>perfect fifth</source>
        <translation>quinte juste</translation>
    </message>
    <message>
        <source>minor sixth</source>
        <translation>sixte mineure</translation>
    </message>
    <message>
        <source>major sixth</source>
        <translation>sixte majeure</translation>
    </message>
    <message>
        <source>minor seventh</source>
        <translation>septième mineure</translation>
    </message>
    <message>
        <source>major seventh</source>
        <translation>septième majeure</translation>
    </message>
    <message>
        <source>octave</source>
        <translation>octave</translation>
    </message>
    <message>
        <source>%1 major</source>
        <translation>%1 majeur</translation>
    </message>
    <message>
        <source>%1 minor</source>
        <translation>%1 mineur</translation>
    </message>
    <message>
        <source>%1 diminished</source>
        <translation>%1 diminué</translation>
    </message>
    <message>
        <source>%1 augmented</source>
        <translation>%1 augmenté</translation>
    </message>
    <message>
        <source>%1 major seventh</source>
        <translation>%1 majeur avec septième majeure</translation>
    </message>
    <message>
        <source>%1 dominant seventh</source>
        <translation>%1 septième de dominante</translation>
    </message>
    <message>
        <source>%1 minor seventh</source>
        <translation>%1 mineur septième</translation>
    </message>
    <message>
        <source>%1 half-diminished seventh</source>
        <translation>%1 semi-diminué</translation>
    </message>
    <message>
        <source>%1 diminished seventh</source>
        <translation>%1 septième diminuée</translation>
    </message>
    <message>
        <source>first inversion</source>
        <translation>premier renversement</translation>
    </message>
    <message>
        <source>second inversion</source>
        <translation>deuxième renversement</translation>
    </message>
    <message>
        <source>third inversion</source>
        <translation>troisième renversement</translation>
    </message>
</context>
<context>
    <name>TChordReading</name>
    <message>
        <source>Play the chord! </source>
        <translation>Joue l&apos;accord ! </translation>
    </message>
    <message>
        <source>Play the interval! </source>
        <translation>Joue l&apos;intervalle ! </translation>
    </message>
    <message>
        <source>Hold all its keys down together, or click them one after another.</source>
        <translation>Maintiens toutes ses touches ensemble, ou clique-les l&apos;une après l&apos;autre.</translation>
    </message>
</context>
<context>
    <name>TExportProgress</name>
    <message>
        <source>Cancel export</source>
        <translation>Annuler l’export</translation>
    </message>
    <message>
        <source>Exporting…</source>
        <translation>Export en cours…</translation>
    </message>
    <message>
        <source>Exporting… %1 %</source>
        <translation>Export en cours… %1 %</translation>
    </message>
</context>
<context>
    <name>TGameCore</name>
    <message>
        <source>What note is this? </source>
        <translation>Quelle est cette note ? </translation>
    </message>
    <message>
        <source>Click on any corresponding key on the keyboard!</source>
        <translation>Clique sur une touche correspondante du clavier !</translation>
    </message>
</context>
<context>
    <name>TGameLabels</name>
    <message>
        <source>Congratulations!! Press &quot;Start&quot; to play the next level!</source>
        <translation>Bravo !! Appuie sur « Démarrer » pour jouer le niveau suivant !</translation>
    </message>
    <message>
        <source>Congratulations!! You definitely know your notes!</source>
        <translation>Bravo !! Tu connais vraiment tes notes !</translation>
    </message>
    <message>
        <source>Please repeat this level!</source>
        <translation>Recommence ce niveau !</translation>
    </message>
    <message>
        <source>%1 SEC.</source>
        <translation>%1 S</translation>
    </message>
    <message>
        <source>RIGHT!</source>
        <translation>JUSTE !</translation>
    </message>
    <message>
        <source>WRONG!</source>
        <translation>FAUX !</translation>
    </message>
    <message>
        <source>Well done!! You reached the goal.</source>
        <translation>Bravo !! Tu as atteint l&apos;objectif.</translation>
    </message>
</context>
<context>
    <name>THistoryModule</name>
    <message>
        <source>History is not being kept: %1</source>
        <translation>L’historique n’est pas conservé : %1</translation>
    </message>
</context>
<context>
    <name>THistoryStore</name>
    <message>
        <source>History is not being kept: %1</source>
        <translation>L’historique n’est pas conservé : %1</translation>
    </message>
    <message>
        <source>the file %1 cannot be read and cannot be moved aside</source>
        <translation>le fichier %1 ne peut être ni lu ni mis de côté</translation>
    </message>
    <message>
        <source>the file %1 cannot be moved aside</source>
        <translation>le fichier %1 ne peut pas être mis de côté</translation>
    </message>
    <message>
        <source>the folder %1 cannot be made</source>
        <translation>le dossier %1 ne peut pas être créé</translation>
    </message>
    <message>
        <source>%1 is not a file</source>
        <translation>%1 n’est pas un fichier</translation>
    </message>
    <message>
        <source>the file %1 is in use (%2)</source>
        <translation>le fichier %1 est en cours d’utilisation (%2)</translation>
    </message>
    <message>
        <source>The history file was damaged. It is kept as %1, and a new history has begun.</source>
        <translation>Le fichier d’historique était endommagé. Il est conservé sous le nom %1 et un nouvel historique a commencé.</translation>
    </message>
    <message>
        <source>The history file belonged to another program. It is kept as %1, and a new history has begun.</source>
        <translation>Le fichier d’historique appartenait à un autre programme. Il est conservé sous le nom %1 et un nouvel historique a commencé.</translation>
    </message>
    <message>
        <source>The history file was written by a newer version of Lirasto Notes. It is kept as %1, and a new history has begun.</source>
        <translation>Le fichier d’historique a été écrit par une version plus récente de Lirasto Notes. Il est conservé sous le nom %1 et un nouvel historique a commencé.</translation>
    </message>
    <message>
        <source>the file %1 cannot be opened (%2)</source>
        <translation>le fichier %1 ne peut pas être ouvert (%2)</translation>
    </message>
    <message>
        <source>the file %1 cannot be written (%2)</source>
        <translation>le fichier %1 ne peut pas être écrit (%2)</translation>
    </message>
    <message>
        <source>the file %1 was changed by a newer version of Lirasto Notes</source>
        <translation>le fichier %1 a été modifié par une version plus récente de Lirasto Notes</translation>
    </message>
    <message>
        <source>the file %1 cannot be brought up to date (%2)</source>
        <translation>le fichier %1 ne peut pas être mis à jour (%2)</translation>
    </message>
    <message>
        <source>the file %1 cannot be read (%2)</source>
        <translation>le fichier %1 ne peut pas être lu (%2)</translation>
    </message>
    <message>
        <source>a run cannot be written (%1)</source>
        <translation>une partie ne peut pas être enregistrée (%1)</translation>
    </message>
    <message>
        <source>an answer cannot be written (%1)</source>
        <translation>une réponse ne peut pas être enregistrée (%1)</translation>
    </message>
    <message>
        <source>the history cannot be cleared (%1)</source>
        <translation>l’historique ne peut pas être effacé (%1)</translation>
    </message>
</context>
<context>
    <name>TKeyboardInput</name>
    <message>
        <source> KEYS AND MIDI
 o Keys %1
 o Space starts, Escape resets
 o A MIDI keyboard answers too</source>
        <translation> TOUCHES ET MIDI
 o Touches %1
 o Espace démarre, Échap réinitialise
 o Un clavier MIDI répond aussi</translation>
    </message>
    <message>
        <source>Piano rows: %1</source>
        <translation>Rangées piano : %1</translation>
    </message>
    <message>
        <source>%1, %2; %3 %4 octave</source>
        <translation>%1, %2 ; %3 %4 octave</translation>
    </message>
    <message>
        <source>Note names: C D E F G A B; Shift sharp, Ctrl flat</source>
        <translation>Lettres anglaises C D E F G A B (C = Do) ; Maj ♯, Ctrl ♭</translation>
    </message>
    <message>
        <source>Note names: Latin C D E F G A B; Shift sharp, Ctrl flat</source>
        <translation>Touches des lettres latines C D E F G A B (C = Do) ; Maj ♯, Ctrl ♭</translation>
    </message>
</context>
<context>
    <name>TLineSummary</name>
    <message>
        <source>%1 of %2</source>
        <translation>%1 sur %2</translation>
    </message>
    <message>
        <source>On time: %1 · misses: %2</source>
        <translation>À temps : %1 · erreurs : %2</translation>
    </message>
    <message>
        <source> · median timing: %1 ms early</source>
        <translation> · décalage médian : %1 ms en avance</translation>
    </message>
    <message>
        <source> · median timing: %1 ms late</source>
        <translation> · décalage médian : %1 ms en retard</translation>
    </message>
    <message>
        <source>Right at the first try: %1 · misses: %2 · median time per note: %3</source>
        <translation>Justes du premier coup : %1 · erreurs : %2 · temps médian par note : %3</translation>
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
        <translation>Bruit de la pièce : %1</translation>
    </message>
    <message>
        <source>Listening to the room for two seconds...</source>
        <translation>Écoute de la pièce pendant deux secondes...</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Par défaut</translation>
    </message>
    <message>
        <source>No microphone: %1</source>
        <translation>Pas de microphone : %1</translation>
    </message>
    <message>
        <source>Listening</source>
        <translation>À l&apos;écoute</translation>
    </message>
    <message>
        <source>Listening on %1</source>
        <translation>À l&apos;écoute sur %1</translation>
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
        <translation>Aucune entrée MIDI trouvée</translation>
    </message>
</context>
<context>
    <name>TOptionsPage</name>
    <message>
        <source>Name the keys</source>
        <translation>Nommer les touches</translation>
    </message>
    <message>
        <source>Octave-exact answers</source>
        <translation>Réponses à l’octave exacte</translation>
    </message>
    <message>
        <source>Sound for MIDI keys</source>
        <translation>Son pour les touches MIDI</translation>
    </message>
    <message>
        <source>Replay the right note</source>
        <translation>Rejouer la bonne note</translation>
    </message>
    <message>
        <source>Play the question</source>
        <translation>Jouer la question</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Muet</translation>
    </message>
    <message>
        <source>Drill my weak notes</source>
        <translation>Travailler mes notes faibles</translation>
    </message>
    <message>
        <source>Mistakes cost points</source>
        <translation>Les erreurs coûtent des points</translation>
    </message>
    <message>
        <source>The system&apos;s language</source>
        <translation>Langue du système</translation>
    </message>
    <message>
        <source>As the language teaches them</source>
        <translation>Selon l’usage de la langue</translation>
    </message>
    <message>
        <source>C D E F G A B (English)</source>
        <translation>C D E F G A B (anglais)</translation>
    </message>
    <message>
        <source>C D E F G A H (German)</source>
        <translation>C D E F G A H (allemand)</translation>
    </message>
    <message>
        <source>Do Re Mi Fa Sol La Si (fixed do)</source>
        <translation>Do Ré Mi Fa Sol La Si (do fixe)</translation>
    </message>
    <message>
        <source>Connect a keyboard to the JACK port
&quot;%1&quot;</source>
        <translation>Connecte un clavier au port JACK
« %1 »</translation>
    </message>
    <message>
        <source>Microphone</source>
        <translation>Microphone</translation>
    </message>
</context>
<context>
    <name>TPianoSound</name>
    <message>
        <source>No SoundFont found</source>
        <translation>Aucune SoundFont trouvée</translation>
    </message>
    <message>
        <source>No sound output</source>
        <translation>Aucune sortie audio</translation>
    </message>
    <message>
        <source>No sound output: %1</source>
        <translation>Aucune sortie audio : %1</translation>
    </message>
    <message>
        <source>No SoundFont found: %1</source>
        <translation>Aucune SoundFont trouvée : %1</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 n’est pas un fichier ordinaire</translation>
    </message>
</context>
<context>
    <name>TPracticeChoice</name>
    <message>
        <source>Treble clef</source>
        <translation>Clé de sol</translation>
    </message>
    <message>
        <source>Bass clef</source>
        <translation>Clé de fa</translation>
    </message>
    <message>
        <source>Grand staff</source>
        <translation>Grande portée</translation>
    </message>
    <message>
        <source>Alto clef</source>
        <translation>Clé d&apos;ut 3</translation>
    </message>
    <message>
        <source>Tenor clef</source>
        <translation>Clé d&apos;ut 4</translation>
    </message>
    <message>
        <source>Treble clef, 8 below</source>
        <translation>Clé de sol, 8 en dessous</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Enregistrer...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Key of the level</source>
        <translation>Tonalité du niveau</translation>
    </message>
    <message>
        <source>Random key</source>
        <translation>Tonalité au hasard</translation>
    </message>
    <message>
        <source>No accidentals</source>
        <translation>Sans altérations</translation>
    </message>
    <message>
        <source>Chromatic notes</source>
        <translation>Notes chromatiques</translation>
    </message>
    <message>
        <source>Save the practice</source>
        <translation>Enregistrer l&apos;exercice</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nom :</translation>
    </message>
    <message>
        <source>Practice not loaded: %1</source>
        <translation>Exercice non chargé : %1</translation>
    </message>
    <message>
        <source>The practice was not saved: %1</source>
        <translation>L&apos;exercice n&apos;a pas été enregistré : %1</translation>
    </message>
    <message>
        <source>The practice was not deleted: %1</source>
        <translation>L&apos;exercice n&apos;a pas été supprimé : %1</translation>
    </message>
</context>
<context>
    <name>TProgressPage</name>
    <message>
        <source>Export history</source>
        <translation>Exporter l’historique</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Fichiers CSV (*.csv)</translation>
    </message>
    <message>
        <source>Reset history</source>
        <translation>Réinitialiser l’historique</translation>
    </message>
    <message>
        <source>Clear every answer and run of the history? This cannot be undone.</source>
        <translation>Effacer toutes les réponses et parties de l’historique ? Cette action est irréversible.</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historique</translation>
    </message>
    <message>
        <source>Export history…</source>
        <translation>Exporter l’historique…</translation>
    </message>
    <message>
        <source>Reset history…</source>
        <translation>Réinitialiser l’historique…</translation>
    </message>
    <message>
        <source>The history cannot be read: %1</source>
        <translation>L’historique ne peut pas être lu : %1</translation>
    </message>
    <message>
        <source>Weakest notes</source>
        <translation>Notes les plus faibles</translation>
    </message>
    <message>
        <source>No answers at this level yet.</source>
        <translation>Aucune réponse à ce niveau pour l’instant.</translation>
    </message>
    <message>
        <source>Practice today: %1, this week: %2</source>
        <translation>Pratique aujourd’hui : %1, cette semaine : %2</translation>
    </message>
    <message>
        <source>Runs passed: %1 of %2</source>
        <translation>Parties réussies : %1 sur %2</translation>
    </message>
    <message>
        <source>Scores of this level&apos;s runs (dashed: the pass line, 300) and median answer time</source>
        <translation>Scores des parties de ce niveau (en tirets : le seuil de réussite, 300) et temps de réponse médian</translation>
    </message>
    <message>
        <source>The history cannot be cleared now.</source>
        <translation>L’historique ne peut pas être effacé pour le moment.</translation>
    </message>
    <message>
        <source>The history could not be cleared: %1</source>
        <translation>L’historique n’a pas pu être effacé : %1</translation>
    </message>
    <message>
        <source>missed often</source>
        <translation>souvent manquée</translation>
    </message>
    <message>
        <source>half known</source>
        <translation>à moitié sue</translation>
    </message>
    <message>
        <source>right and fast</source>
        <translation>juste et rapide</translation>
    </message>
    <message>
        <source>not asked yet</source>
        <translation>pas encore demandée</translation>
    </message>
    <message>
        <source>%1 answers written to %2</source>
        <translation>%1 réponses écrites dans %2</translation>
    </message>
    <message>
        <source>at this level</source>
        <translation>à ce niveau</translation>
    </message>
    <message>
        <source>All levels</source>
        <translation>Tous les niveaux</translation>
    </message>
    <message>
        <source>Scores of this practice&apos;s runs and median answer time</source>
        <translation>Scores des parties de cet exercice et temps de réponse médian</translation>
    </message>
    <message>
        <source>in this practice</source>
        <translation>dans cet exercice</translation>
    </message>
    <message>
        <source>No answers in this practice yet.</source>
        <translation>Aucune réponse dans cet exercice pour l’instant.</translation>
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
        <translation>Aucune partie à ce niveau pour l’instant</translation>
    </message>
</context>
<context>
    <name>TRunSummary</name>
    <message>
        <source>note %1</source>
        <translation>note %1</translation>
    </message>
    <message>
        <source>No note was answered in this run.</source>
        <translation>Aucune note n’a reçu de réponse dans cette partie.</translation>
    </message>
    <message>
        <source>Right at the first try: %1 (%2 of %3)</source>
        <translation>Justes du premier coup : %1 (%2 sur %3)</translation>
    </message>
    <message>
        <source>Median answer time: %1</source>
        <translation>Temps de réponse médian : %1</translation>
    </message>
    <message>
        <source>missed: none</source>
        <translation>manquées : aucune</translation>
    </message>
    <message>
        <source>missed: %1</source>
        <translation>manquées : %1</translation>
    </message>
</context>
<context>
    <name>TSightReading</name>
    <message>
        <source>Levels</source>
        <translation>Niveaux</translation>
    </message>
    <message>
        <source>Sight-reading</source>
        <translation>Déchiffrage</translation>
    </message>
    <message>
        <source>Play the line from left to right! </source>
        <translation>Joue la ligne de gauche à droite ! </translation>
    </message>
    <message>
        <source>The pointer shows the note due; any key of that note answers.</source>
        <translation>La flèche montre la note à jouer ; toute touche de cette note répond.</translation>
    </message>
    <message>
        <source>At your pace</source>
        <translation>À ton rythme</translation>
    </message>
    <message>
        <source>%1 beats a minute</source>
        <translation>%1 battements par minute</translation>
    </message>
    <message>
        <source>Intervals</source>
        <translation>Intervalles</translation>
    </message>
    <message>
        <source>Triads</source>
        <translation>Accords de trois sons</translation>
    </message>
    <message>
        <source>Seventh chords</source>
        <translation>Accords de septième</translation>
    </message>
    <message>
        <source>Key: a new one for each line</source>
        <translation>Tonalité : une nouvelle à chaque ligne</translation>
    </message>
    <message>
        <source>Key: %1</source>
        <translation>Tonalité : %1</translation>
    </message>
    <message>
        <source>%1 minor</source>
        <translation>%1 mineur</translation>
    </message>
    <message>
        <source>%1 major</source>
        <translation>%1 majeur</translation>
    </message>
    <message>
        <source>Single notes</source>
        <translation>Notes isolées</translation>
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
        <translation>Notes du niveau</translation>
    </message>
</context>
<context>
    <name>TfMain</name>
    <message>
        <source>Lirasto Notes v1.0.0 - made by Lirasto Software. Thanks to Qt, libjpeg-turbo and the LilyPond project&apos;s Emmentaler font, on which this program is built.</source>
        <translation>Lirasto Notes v1.0.0 – réalisé par Lirasto Software. Merci à Qt, à libjpeg-turbo et à la police Emmentaler du projet LilyPond, sur lesquels ce programme est construit.</translation>
    </message>
    <message>
        <source>DEMO Lirasto - Notes</source>
        <extracomment>fMain.Caption</extracomment>
        <translation>DÉMO Lirasto – Notes</translation>
    </message>
    <message>
        <source>Lirasto</source>
        <extracomment>tsMain.Caption</extracomment>
        <translation>Lirasto</translation>
    </message>
    <message>
        <source>Time limit:</source>
        <extracomment>SkinLabel1.Caption</extracomment>
        <translation>Temps :</translation>
    </message>
    <message>
        <source>Goal (pts) :</source>
        <extracomment>SkinLabel2.Caption</extracomment>
        <translation>Objectif (pts) :</translation>
    </message>
    <message>
        <source>Score (pts) :</source>
        <extracomment>SkinLabel4.Caption</extracomment>
        <translation>Score (pts) :</translation>
    </message>
    <message>
        <source>Question</source>
        <extracomment>lQuestion.Caption</extracomment>
        <translation>Question</translation>
    </message>
    <message>
        <source>Explanation</source>
        <extracomment>lExplanation.Caption</extracomment>
        <translation>Explication</translation>
    </message>
    <message>
        <source>&lt;-- SELECT YOUR LEVEL HERE</source>
        <extracomment>SkinLabel12.Caption</extracomment>
        <translation>&lt;-- CHOISIS TON NIVEAU ICI</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>bReset.Caption</extracomment>
        <translation>Réinitialiser</translation>
    </message>
    <message>
        <source>Start</source>
        <extracomment>bStart.Caption</extracomment>
        <translation>Démarrer</translation>
    </message>
    <message>
        <source>Tip</source>
        <extracomment>gbTips.Caption</extracomment>
        <translation>Conseil</translation>
    </message>
    <message>
        <source>Say the answers out loud when the question is presented to you. </source>
        <extracomment>Label14.Caption</extracomment>
        <translation>Dis les réponses à voix haute quand la question s’affiche. </translation>
    </message>
    <message>
        <source>Information</source>
        <extracomment>tsInfo.Caption
----------
mInfo.Caption</extracomment>
        <translation>Informations</translation>
    </message>
    <message>
        <source>Lirasto Notes - made by Lirasto Software</source>
        <extracomment>mInfo.Lines.Strings</extracomment>
        <translation>Lirasto Notes – réalisé par Lirasto Software</translation>
    </message>
    <message>
        <source>For information, support, tips and other </source>
        <extracomment>mInfo.Lines.Strings</extracomment>
        <translation>Pour des informations, de l’aide, des conseils </translation>
    </message>
    <message>
        <source>products, check out the website below.</source>
        <extracomment>mInfo.Lines.Strings</extracomment>
        <translation>et d’autres produits, visite le site ci-dessous.</translation>
    </message>
    <message>
        <source> USAGE</source>
        <extracomment>mUsage.Lines.Strings</extracomment>
        <translation> MODE D’EMPLOI</translation>
    </message>
    <message>
        <source> o Select a level</source>
        <extracomment>mUsage.Lines.Strings</extracomment>
        <translation> o Choisis un niveau</translation>
    </message>
    <message>
        <source> o Press &apos;Start&apos; to start the current level</source>
        <extracomment>mUsage.Lines.Strings</extracomment>
        <translation> o Appuie sur « Démarrer » pour lancer le niveau choisi</translation>
    </message>
    <message>
        <source> o Press &apos;Reset&apos; to reset the current level</source>
        <extracomment>mUsage.Lines.Strings</extracomment>
        <translation> o Appuie sur « Réinitialiser » pour recommencer le niveau</translation>
    </message>
    <message>
        <source>Options</source>
        <extracomment>tsOptions.Caption</extracomment>
        <translation>Options</translation>
    </message>
    <message>
        <source>Computer keyboard</source>
        <extracomment>gbKeyboard.Caption</extracomment>
        <translation>Clavier de l’ordinateur</translation>
    </message>
    <message>
        <source>Piano rows: A S D F G H J K, W E T Y U O; Z X octave</source>
        <extracomment>rbPianoRows.Caption</extracomment>
        <translation>Rangées piano : A S D F G H J K, W E T Y U O ; Z X octave</translation>
    </message>
    <message>
        <source>Note names: C D E F G A B; Shift sharp, Ctrl flat</source>
        <extracomment>rbNoteNames.Caption</extracomment>
        <translation>Lettres anglaises C D E F G A B (C = Do); Maj ♯, Ctrl ♭</translation>
    </message>
    <message>
        <source>MIDI inputs</source>
        <extracomment>gbMidi.Caption</extracomment>
        <translation>Entrées MIDI</translation>
    </message>
    <message>
        <source>No MIDI input found</source>
        <extracomment>lNoMidi.Caption</extracomment>
        <translation>Aucune entrée MIDI trouvée</translation>
    </message>
    <message>
        <source>Sound</source>
        <extracomment>gbSound.Caption</extracomment>
        <translation>Son</translation>
    </message>
    <message>
        <source>Practice</source>
        <extracomment>gbPractice.Caption</extracomment>
        <translation>Entraînement</translation>
    </message>
    <message>
        <source>Language</source>
        <extracomment>gbLanguage.Caption</extracomment>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Language:</source>
        <extracomment>lLanguage.Caption</extracomment>
        <translation>Langue :</translation>
    </message>
    <message>
        <source>Note names:</source>
        <extracomment>lNoteNaming.Caption</extracomment>
        <translation>Noms des notes :</translation>
    </message>
    <message>
        <source>A new language shows at the next start.</source>
        <extracomment>lLanguageNext.Caption</extracomment>
        <translation>Une nouvelle langue s’affiche au prochain démarrage.</translation>
    </message>
    <message>
        <source>Progress</source>
        <extracomment>tsProgress.Caption</extracomment>
        <translation>Progrès</translation>
    </message>
    <message>
        <source>Microphone</source>
        <extracomment>gbMicrophone.Caption</extracomment>
        <translation>Microphone</translation>
    </message>
    <message>
        <source>Input device</source>
        <extracomment>lMicDevice.Caption</extracomment>
        <translation>Périphérique d&apos;entrée</translation>
    </message>
    <message>
        <source>Level</source>
        <extracomment>lMicLevel.Caption</extracomment>
        <translation>Niveau</translation>
    </message>
    <message>
        <source>Note heard</source>
        <extracomment>lMicHeard.Caption</extracomment>
        <translation>Note entendue</translation>
    </message>
    <message>
        <source>Noise gate</source>
        <extracomment>lMicGate.Caption</extracomment>
        <translation>Seuil de bruit</translation>
    </message>
    <message>
        <source>Measure the room&apos;s noise</source>
        <extracomment>bMeasureNoise.Caption</extracomment>
        <translation>Mesurer le bruit de la pièce</translation>
    </message>
    <message>
        <source>Lowest note</source>
        <extracomment>lMicRange.Caption</extracomment>
        <translation>Note la plus grave</translation>
    </message>
    <message>
        <source>Highest note</source>
        <extracomment>lMicRangeTo.Caption</extracomment>
        <translation>Note la plus aiguë</translation>
    </message>
</context>
</TS>
