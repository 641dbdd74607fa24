#include "game/StackLine.h"

#include "core/Errors.h"
#include "game/ChordExercise.h"

TStackLine GenerateStackLine(const TLineSettings& settings, int key)
{
    settings.Check();
    if (!settings.Chords)
        throw lirasto::ERangeError("Range check error: a line of stacks needs a chord family");
    const TChordSettings chords{*settings.Chords, key, settings.Accidentals, settings.Staff};
    TStackLine line;
    for (int place = 0; place < settings.Notes; ++place) {
        TStack stack = DrawStack(chords, key);
        for (const TChordTone& tone : stack.Chord.Tones)
            line.Notes.push_back({stack.Clef, tone.Note, place});
        line.Chords.push_back(std::move(stack.Chord));
    }
    return line;
}
