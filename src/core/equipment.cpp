#include "equipment.h"

#include "catalogue.h"
#include "numberformat.h"
#include "project.h"
#include "selection.h"
#include "translation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace {

// The catalogue price passes through single precision on its way to money.
Money priceOf(const CatalogueRowSet& rows, const CatalogueColumn& column)
{
    return Money::fromCatalogueFloat(rows.fieldAsSingle(column));
}

} // namespace

BankColumns::BankColumns(const CatalogueRowSet& rows)
    : automatic(rows.column(QStringLiteral("automatic")))
    , volt(rows.column(QStringLiteral("volt")))
    , dim(rows.column(QStringLiteral("dim")))
    , transform(rows.column(QStringLiteral("transform")))
    , code(rows.column(QStringLiteral("code")))
    , steps(rows.column(QStringLiteral("steps")))
    , harmonic(rows.column(QStringLiteral("harmonic")))
    , type(rows.column(QStringLiteral("type")))
    , power(rows.column(QStringLiteral("power")))
    , price(rows.column(QStringLiteral("price")))
{
}

CableColumns::CableColumns(const CatalogueRowSet& rows)
    : gauge(rows.column(QStringLiteral("gauge")))
    , current(rows.column(QStringLiteral("current")))
    , price(rows.column(QStringLiteral("price")))
{
}

TransformerColumns::TransformerColumns(const CatalogueRowSet& rows)
    : type(rows.column(QStringLiteral("type")))
    , a(rows.column(QStringLiteral("a")))
    , price(rows.column(QStringLiteral("price")))
{
}

// ---------------------------------------------------------------- TConductor

void TConductor::LoadFromDataSet(const CatalogueRowSet& ADataSet)
{
    LoadFromDataSet(ADataSet, CableColumns(ADataSet));
}

void TConductor::LoadFromDataSet(const CatalogueRowSet& ADataSet, const CableColumns& columns)
{
    FGauge = ADataSet.fieldAsSingle(columns.gauge);
    FCurrent = ADataSet.fieldAsSingle(columns.current);
    FPrice = priceOf(ADataSet, columns.price);
    FFound = true;
}

QString TConductor::SCount() const
{
    return QString::number(FCount) + TranslateText(QStringLiteral("x3 Fase"));
}

// -------------------------------------------------------------- TTransformer

void TTransformer::LoadFromDataSet(const CatalogueRowSet& ADataSet)
{
    LoadFromDataSet(ADataSet, TransformerColumns(ADataSet));
}

void TTransformer::LoadFromDataSet(const CatalogueRowSet& ADataSet, const TransformerColumns& columns)
{
    FTType = ADataSet.fieldAsString(columns.type);
    FA = ADataSet.fieldAsSingle(columns.a);
    FPrice = priceOf(ADataSet, columns.price);
}

QString TTransformer::SA() const
{
    return NumberFormat::fixed(FA, 0) + QStringLiteral("/5");
}

// ------------------------------------------------------------------ TBattery

TBattery::TBattery(TSelection* ASelection) : FSelection(ASelection) {}

// The cable goes before the picture.
TBattery::~TBattery()
{
    FConductor.reset();
}

std::int32_t TBattery::SeriesRank(const QString& seriesCode)
{
    static const std::array<std::pair<QStringView, std::int32_t>, 9> ranks{{
        {u"Quelva", 1},
        {u"Fenwa", 2},
        {u"Corsel", 10},
        {u"Dravia", 11},
        {u"Galvix", 100},
        {u"Hormea", 101},
        {u"Isquel", 102},
        {u"Brunia", 200},
        {u"Elmora", 201},
    }};
    // The nine codes begin with nine different letters.
    if (seriesCode.isEmpty())
        return 1000;
    for (const auto& [code, rank] : ranks) {
        if (seriesCode.front() == code.front() && QStringView(seriesCode) == code)
            return rank;
    }
    return 1000;
}

void TBattery::LoadFromDataSet(const CatalogueRowSet& ADataSet, CatalogueRowSet* ADescriptionDataSet)
{
    LoadFromDataSet(ADataSet, BankColumns(ADataSet), ADescriptionDataSet);
}

void TBattery::LoadSearchFields(const CatalogueRowSet& ADataSet, const BankColumns& columns)
{
    readBankRow(ADataSet, columns, false);
}

void TBattery::readBankRow(const CatalogueRowSet& rows, const BankColumns& columns, bool allTexts)
{
    // A text read fails only when its column is missing. Without all texts
    // the code, dimensions and steps are not copied, but a missing column
    // still fails in its turn, so that both reads of a row fail alike.
    const auto readText = [&](const CatalogueColumn& column, QString& field) {
        if (allTexts)
            field = rows.fieldAsString(column);
        else if (column.index() < 0)
            rows.fieldAsString(column);
    };
    FAutomatic = rows.fieldAsBoolean(columns.automatic);
    FVolt = rows.fieldAsInteger(columns.volt);
    readText(columns.dim, FDim);
    FTransform = rows.fieldAsBoolean(columns.transform);
    readText(columns.code, FCode);
    readText(columns.steps, FSteps);
    FHarmonic = rows.fieldAsBoolean(columns.harmonic);
    FBType = rows.fieldAsString(columns.type);
    FPower = rows.fieldAsSingle(columns.power);
    FPrice = priceOf(rows, columns.price);
    if (allTexts)
        FOrder = SeriesRank(FBType);
}

void TBattery::LoadFromDataSet(
    const CatalogueRowSet& ADataSet, const BankColumns& columns, CatalogueRowSet* ADescriptionDataSet)
{
    readBankRow(ADataSet, columns, true);
    if (!ADescriptionDataSet)
        return;

    CatalogueRowSet& description = *ADescriptionDataSet;
    description.close();
    description.setParameter(QStringLiteral("type"), FBType);
    description.open();
    description.first();
    if (description.eof()) {
        // A series the catalogue does not describe: empty name, texts and
        // picture.
        FImage = QImage();
        FName = QStringLiteral("Serie");
        FDescription.clear();
        return;
    }

    try {
        FImage = description.fieldAsPicture(QStringLiteral("image"));
    } catch (const ECatalogueError&) {
        throw ECatalogueError(QStringLiteral("La imagen de la serie «%1» no es válida.").arg(FBType));
    }

    FName = description.fieldAsString(QStringLiteral("name"));
    if (FName.isEmpty())
        FName = QStringLiteral("Serie");
    else if (FName == QLatin1String("none"))
        FName.clear();

    // Any language but Spanish reads the English text, even when it is
    // empty: there is no fallback. A record without a selection follows the
    // project's default, Spanish.
    const bool spanish = !FSelection || FSelection->project().Language() == TAppLanguage::es;
    FDescription = description.fieldAsString(spanish ? QStringLiteral("text_es") : QStringLiteral("text_en"));
}

QString TBattery::BTypeName() const
{
    if (FName.isEmpty())
        return FBType;
    return QStringLiteral("%1 %2").arg(FName, FBType);
}

std::int32_t TBattery::SFrequency() const
{
    if (FSelection && FSelection->project().Frequency() != TFrequency::f50Hz)
        return 60;
    return 50;
}

// -------------------------------------------------------------- TBatteryList

TBattery& TBatteryList::Add(std::unique_ptr<TBattery> item)
{
    if (!item)
        throw std::invalid_argument("TBatteryList::Add: no candidate");
    m_items.push_back(std::move(item));
    return *m_items.back();
}

int TBatteryList::IndexOf(const TBattery* item) const
{
    const auto it = std::find_if(m_items.begin(), m_items.end(),
                                 [item](const auto& owned) { return owned.get() == item; });
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

void TBatteryList::SortByRank()
{
    std::stable_sort(m_items.begin(), m_items.end(),
                     [](const auto& l, const auto& r) { return l->Order() > r->Order(); });
}
