#include "karty.h"

#include <QStringList>

static void InitTamsaResource() { Q_INIT_RESOURCE(tamsa); }

void InitCardPictures()
{
    static bool done = false;
    if (!done) InitTamsaResource();
    done = true;
}

namespace {
const char *const SuitPictureNames[4] = {"CERVENA", "ZALUDY", "KULE", "ZELENA"};
const char *const RankPictureNames[8] = {"7", "8", "9", "10", "S", "F", "K", "E"};
const char *const SuitWords[4] = {"červené", "žaludy", "kule", "zelené"};
const char *const RankWords[8] = {"7", "8", "9", "10", "spodek", "filek", "král", "eso"};
}  // namespace

QString CardResourceName(TCard c)
{
    if (c >= NoCard)
        return QStringLiteral("PRAZDNE");
    return QString::fromLatin1(SuitPictureNames[Suit(c)]) + QString::fromLatin1(RankPictureNames[Rank(c)]);
}

QString ContractName(int contract)
{
    static const QStringList names = {
        QStringLiteral("Červené"), QStringLiteral("Filky"),   QStringLiteral("Pr-Po"),
        QStringLiteral("Všechny"), QStringLiteral("Červený král"), QStringLiteral("Kvarty"),
        QStringLiteral("Desítky"), QStringLiteral("Maturita"), QString()};
    if (contract < 0 || contract >= names.size())
        return QString();
    return names[contract];
}

QString PictureDescription(const QString &resourceName)
{
    if (resourceName == QLatin1String("PRAZDNE"))
        return QStringLiteral("prázdné");
    if (resourceName == QLatin1String("RUB"))
        return QStringLiteral("rub");
    for (int s = 0; s < 4; ++s) {
        const QLatin1String suit(SuitPictureNames[s]);
        if (!resourceName.startsWith(suit))
            continue;
        const QStringView rank = QStringView(resourceName).mid(suit.size());
        for (int r = 0; r < 8; ++r)
            if (rank == QLatin1String(RankPictureNames[r]))
                return QString::fromUtf8(SuitWords[s]) + QLatin1Char(' ') + QString::fromUtf8(RankWords[r]);
    }
    return QString();
}

int DistanceWeight(int n)
{
    switch (n) {
    case 0: return 1;
    case 1: return 2;
    case 2: return 4;
    case 3: return 8;
    default: return 0;
    }
}
