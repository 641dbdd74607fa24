#include "game/StaffLayout.h"

namespace lirasto::staff {

int accidentalPicture(TAccidental sign)
{
    switch (sign) {
    case TAccidental::Flat:
        return FlatPicture;
    case TAccidental::Sharp:
        return SharpPicture;
    default:
        return NaturalPicture;
    }
}

int accidentalDrop(TAccidental sign)
{
    return sign == TAccidental::Natural ? 55 : 53;
}

bool isAboveStaff(int position)
{
    return position == 2 || position == 4;
}

int ledgerImage(int position, bool stemDown, double top)
{
    const double t = stemDown ? top - kStemDownDrop : top;
    int picture = ThreeLedgerLinesPicture;
    switch (position) {
    case 1:
        if (t == 205)
            picture = TwoLedgerLinesPicture;
        if (t >= 205)
            break;
        if (t >= 195)
            picture = OneLedgerLinePicture;
        break;
    case 2:
        if (t >= 100 && t <= 135)
            picture = OneLedgerLinePicture;
        if (t >= 90 && t <= 125)
            picture = TwoLedgerLinesPicture;
        if (t == 115)
            picture = ThreeLedgerLinesPicture;
        break;
    case 3:
        if (t >= 75 && t <= 110)
            picture = TwoLedgerLinesPicture;
        if (t >= 65 && t <= 100)
            picture = OneLedgerLinePicture;
        break;
    case 4:
        if (t >= 0 && t <= 35)
            picture = OneLedgerLinePicture;
        if (t >= -10 && t <= 25)
            picture = TwoLedgerLinesPicture;
        if (t == 15)
            picture = ThreeLedgerLinesPicture;
        break;
    default:
        break;
    }
    return picture;
}

double ledgerTop(int position, int picture)
{
    double top = LedgerTop[position] + kLedgerTopBelowBase;
    if (isAboveStaff(position)) {
        if (picture == OneLedgerLinePicture)
            top += 20;
        else if (picture == TwoLedgerLinesPicture)
            top += 10;
    }
    return top;
}

} // namespace lirasto::staff
