#pragma once

#include "catalogue.h"
#include "money.h"

#include <QImage>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <vector>

class TBattery;
class TSelection;

// The columns each record reads, found once for a walk over a table's rows
// rather than by name for every row.
struct BankColumns { // bb, bb6, bbf, bbe
    explicit BankColumns(const CatalogueRowSet& rows);
    CatalogueColumn automatic, volt, dim, transform, code, steps, harmonic, type, power, price;
};
struct CableColumns { // cond
    explicit CableColumns(const CatalogueRowSet& rows);
    CatalogueColumn gauge, current, price;
};
struct TransformerColumns { // trans
    explicit TransformerColumns(const CatalogueRowSet& rows);
    CatalogueColumn type, a, price;
};

// The cable of one candidate.
class TConductor {
public:
    TConductor() = default;

    // Reads gauge, current and price from the current cable row; the cable
    // is then a found one.
    void LoadFromDataSet(const CatalogueRowSet& ADataSet);
    void LoadFromDataSet(const CatalogueRowSet& ADataSet, const CableColumns& columns);

    float Gauge() const { return FGauge; }
    float Current() const { return FCurrent; }
    float ICalculate() const { return FICalculate; }
    void setICalculate(float value) { FICalculate = value; }
    std::int32_t Count() const { return FCount; }
    void setCount(std::int32_t value) { FCount = value; }
    Money Price() const { return FPrice; }
    void setPrice(Money value) { FPrice = value; }
    float Length() const { return FLength; }
    void setLength(float value) { FLength = value; }
    bool Found() const { return FFound; }
    TBattery* Battery() const { return FBattery; }
    void setBattery(TBattery* value) { FBattery = value; }

    // The count followed by the translated "x3 Fase".
    QString SCount() const;

private:
    TBattery* FBattery = nullptr; // not owned
    float FCurrent = 0.0f;
    float FGauge = 0.0f;
    Money FPrice;
    std::int32_t FCount = 0;
    float FICalculate = 0.0f;
    float FLength = 0.0f;
    bool FFound = false;
};

// The current transformer for the controller of a plain-bank installation.
class TTransformer {
public:
    TTransformer() = default;

    void LoadFromDataSet(const CatalogueRowSet& ADataSet);
    void LoadFromDataSet(const CatalogueRowSet& ADataSet, const TransformerColumns& columns);

    const QString& TType() const { return FTType; }
    float A() const { return FA; }
    std::int32_t Volt() const { return FVolt; }
    void setVolt(std::int32_t value) { FVolt = value; }
    Money Price() const { return FPrice; }
    void setPrice(Money value) { FPrice = value; }

    // The primary current with no decimals followed by "/5".
    QString SA() const;

private:
    float FA = 0.0f;
    QString FTType;
    Money FPrice;
    std::int32_t FVolt = 0;
};

// One candidate capacitor bank or product-line unit.
class TBattery {
public:
    explicit TBattery(TSelection* ASelection);
    ~TBattery();

    TBattery(const TBattery&) = delete;
    TBattery& operator=(const TBattery&) = delete;

    // Reads the current row of a bank row set; with the description row set
    // also the series picture, name and description. Count, cable and
    // selection are never touched.
    void LoadFromDataSet(const CatalogueRowSet& ADataSet, CatalogueRowSet* ADescriptionDataSet = nullptr);
    void LoadFromDataSet(
        const CatalogueRowSet& ADataSet, const BankColumns& columns, CatalogueRowSet* ADescriptionDataSet = nullptr);
    // Reads what the searches weigh, for a record that is weighed and
    // dropped: every column but the code, dimension and step texts, which
    // are left as they were, as is the rank. Fails wherever the full read
    // would.
    void LoadSearchFields(const CatalogueRowSet& ADataSet, const BankColumns& columns);

    const QString& Code() const { return FCode; }
    const QString& Name() const { return FName; }
    const QString& BType() const { return FBType; }
    // "name code", or the code alone when the series has no name.
    QString BTypeName() const;
    float Power() const { return FPower; }
    std::int32_t Volt() const { return FVolt; }
    TSelection* Selection() const { return FSelection; }
    // 50 or 60, from the project's frequency.
    std::int32_t SFrequency() const;
    bool Harmonic() const { return FHarmonic; }
    bool Automatic() const { return FAutomatic; }
    bool Transform() const { return FTransform; }
    const QString& Dim() const { return FDim; }
    const QString& Steps() const { return FSteps; }
    const QImage& Image() const { return FImage; }
    const QString& Description() const { return FDescription; }
    std::int32_t Order() const { return FOrder; }

    std::int32_t Count() const { return FCount; }
    void setCount(std::int32_t value) { FCount = value; }
    Money Price() const { return FPrice; }
    void setPrice(Money value) { FPrice = value; }
    TConductor* Conductor() const { return FConductor.get(); }
    void setConductor(std::unique_ptr<TConductor> value) { FConductor = std::move(value); }

    // The sort rank of a series code, compared exactly (case and blanks
    // count); 1000 for any code outside the table.
    static std::int32_t SeriesRank(const QString& seriesCode);

private:
    void readBankRow(const CatalogueRowSet& rows, const BankColumns& columns, bool allTexts);

    bool FAutomatic = false;
    std::int32_t FVolt = 0;
    QString FDim;
    bool FTransform = false;
    QString FCode;
    QString FSteps;
    bool FHarmonic = false;
    QString FName;
    QString FBType;
    float FPower = 0.0f;
    QImage FImage;
    QString FDescription;
    Money FPrice;
    std::int32_t FCount = 0;
    std::int32_t FOrder = 0;
    std::unique_ptr<TConductor> FConductor;
    TSelection* FSelection = nullptr; // not owned
};

// The owning list of candidates, in the order the selection leaves them.
// It hands out the candidates themselves, never its owning pointers: only
// Add, Clear and SortByRank change what it holds.
class TBatteryList {
    using Items = std::vector<std::unique_ptr<TBattery>>;

public:
    template <typename Battery> class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = TBattery;
        using difference_type = std::ptrdiff_t;
        using pointer = Battery*;
        using reference = Battery&;

        Iterator() = default;
        explicit Iterator(Items::const_iterator at)
            : m_at(at)
        {
        }
        Battery& operator*() const { return **m_at; }
        Battery* operator->() const { return m_at->get(); }
        Iterator& operator++() { return ++m_at, *this; }
        Iterator operator++(int) { return Iterator(m_at++); }
        bool operator==(const Iterator&) const = default;

    private:
        Items::const_iterator m_at;
    };
    using iterator = Iterator<TBattery>;
    using const_iterator = Iterator<const TBattery>;

    int Count() const { return static_cast<int>(m_items.size()); }
    bool isEmpty() const { return m_items.empty(); }
    TBattery& operator[](int index) { return *m_items.at(static_cast<std::size_t>(index)); }
    const TBattery& operator[](int index) const { return *m_items.at(static_cast<std::size_t>(index)); }
    // Appends and takes ownership; refuses a null entry with
    // std::invalid_argument, leaving the list as it was.
    TBattery& Add(std::unique_ptr<TBattery> item);
    void Clear() { m_items.clear(); }
    int IndexOf(const TBattery* item) const;

    // Highest series rank first; equal ranks keep their table order.
    void SortByRank();

    iterator begin() { return iterator(m_items.cbegin()); }
    iterator end() { return iterator(m_items.cend()); }
    const_iterator begin() const { return const_iterator(m_items.cbegin()); }
    const_iterator end() const { return const_iterator(m_items.cend()); }

private:
    Items m_items;
};
