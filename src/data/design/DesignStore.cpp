#include "data/design/DesignStore.h"

#include "core/common/AppState.h"
#include "core/common/Dates.h"
#include "core/common/FileWrite.h"
#include "core/common/MessageTexts.h"
#include "core/design/DesignPrint.h"
#include "data/db/RecordGuard.h"
#include "data/db/TDM.h"
#include "data/db/Transaction.h"
#include "data/project/Project.h"

#include <QDir>
#include <QFileInfo>

namespace {

DesignCurve curveOf(const TQuery& q) {
    DesignCurve d;
    d.curve = q.asInt(QStringLiteral("SDCO"));
    d.xItem = q.asInt(QStringLiteral("X"));
    d.yItem = q.asInt(QStringLiteral("Y"));
    d.drawn = q.asInt(QStringLiteral("FCHKS")) == 1;
    d.selected = q.asInt(QStringLiteral("FREN")) == 1;
    for (int j = 1; j <= DesignPointCount; ++j) {
        d.x[size_t(j)] = q.asInt(QStringLiteral("SNENREI%1").arg(j));
        d.amount[size_t(j)] = q.asCurrency(QStringLiteral("SKIN%1").arg(j));
    }
    d.explanation = q.asText(QStringLiteral("KAISETSU"));
    d.legend = q.asText(QStringLiteral("HANREI"));
    d.description = q.asText(QStringLiteral("SETSUMEI"));
    d.colour = q.asText(QStringLiteral("SCOLOR"));
    d.kind = q.asInt(QStringLiteral("SSYURUI"));
    d.width = q.asInt(QStringLiteral("SHABA"));
    return d;
}

const QString PairKey =
    QStringLiteral(" WHERE SDCO = ? AND KCO = ? AND NENDO = ? AND X = ? AND Y = ?");

} // namespace

bool LoadDesigns(const CompanyYear& cy, int xItem, int yItem,
                 std::array<DesignCurve, DesignCount + 1>& designs) {
    for (int d = 1; d <= DesignCount; ++d) {
        designs[size_t(d)] = DesignCurve();
        designs[size_t(d)].curve = d;
        designs[size_t(d)].xItem = xItem;
        designs[size_t(d)].yItem = yItem;
    }
    TQuery q = DM().select(TDM::ACN2,
                           QStringLiteral("SELECT * FROM DSPDRAW WHERE NENDO = ? AND KCO = ? AND "
                                          "X = ? AND Y = ? AND SDCO BETWEEN 1 AND 5 ORDER BY SDCO"),
                           {cy.nendo, cy.kco, xItem, yItem});
    if (!q.active())
        return false;
    for (; !q.eof(); q.next()) {
        const DesignCurve c = curveOf(q);
        designs[size_t(c.curve)] = c;
    }
    return true;
}

namespace {
GuardedRecord designsRecord(const CompanyYear& cy, int xItem, int yItem) {
    return {
        QStringLiteral("DSPDRAW/%1/%2/%3/%4").arg(cy.kco).arg(cy.nendo).arg(xItem).arg(yItem),
        QStringLiteral("昇給カーブの設計"),
        {{TDM::ACN2,
          // The columns the save writes; legend and style are the style pop-up's.
          QStringLiteral("SELECT SDCO, FCHKS, FREN, SNENREI1, SKIN1, SNENREI2, SKIN2, SNENREI3, "
                         "SKIN3, SNENREI4, SKIN4, SNENREI5, SKIN5, SNENREI6, SKIN6, KAISETSU FROM "
                         "DSPDRAW WHERE NENDO = ? AND KCO = ? AND X = ? AND Y = ? AND SDCO "
                         "BETWEEN 1 AND 5 ORDER BY SDCO"),
          {cy.nendo, cy.kco, xItem, yItem}}}};
}
} // namespace

bool RememberLoadedDesigns(const CompanyYear& cy, int xItem, int yItem) {
    return RememberRecord(designsRecord(cy, xItem, yItem));
}

SaveResult SaveDesigns(const CompanyYear& cy, int xItem, int yItem,
                       const std::array<DesignCurve, DesignCount + 1>& designs,
                       const QString& explanation, const CurveStyle& style) {
    const GuardedRecord record = designsRecord(cy, xItem, yItem);
    Transaction tx(TDM::Files::Data);
    if (!tx.ok())
        return FailedResult();
    if (const std::optional<SaveResult> refused = RefusedSave(record))
        return *refused;
    for (int d = 1; d <= DesignCount; ++d) {
        const DesignCurve& c = designs[size_t(d)];
        const TQuery q =
            DM().select(TDM::ACN2, QStringLiteral("SELECT SDCO FROM DSPDRAW") + PairKey,
                        {d, cy.kco, cy.nendo, xItem, yItem});
        if (!q.active())
            return FailedResult();
        const bool exists = !q.eof();
        const bool empty = PointsOf(c).isEmpty();
        TDM::Binds points;
        for (int j = 1; j <= DesignPointCount; ++j)
            points << c.x[size_t(j)] << BindValue(c.amount[size_t(j)]);
        bool ok = true;
        if (!exists && !empty) {
            ok = DM().exec(
                TDM::ACN2,
                QStringLiteral("INSERT INTO DSPDRAW (KCO, NENDO, SDCO, X, Y, FCHKS, "
                               "FREN, SNENREI1, SKIN1, SNENREI2, SKIN2, SNENREI3, SKIN3, "
                               "SNENREI4, SKIN4, SNENREI5, SKIN5, SNENREI6, SKIN6, "
                               "KAISETSU, HANREI, SETSUMEI, SCOLOR, SSYURUI, SHABA) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                               "?, ?, ?, ?, '', '', ?, ?, ?)"),
                TDM::Binds{cy.kco, cy.nendo, d, xItem, yItem, c.drawn ? 1 : 0, c.selected ? 1 : 0}
                    << points << explanation << style.colour << style.kind << style.width);
        } else if (exists && !empty) {
            ok = DM().exec(TDM::ACN2,
                           QStringLiteral("UPDATE DSPDRAW SET FCHKS = ?, FREN = ?, SNENREI1 = ?, "
                                          "SKIN1 = ?, SNENREI2 = ?, SKIN2 = ?, SNENREI3 = ?, SKIN3 "
                                          "= ?, SNENREI4 = ?, SKIN4 = ?, SNENREI5 = ?, SKIN5 = ?, "
                                          "SNENREI6 = ?, SKIN6 = ?, KAISETSU = ?") +
                               PairKey,
                           TDM::Binds{c.drawn ? 1 : 0, c.selected ? 1 : 0}
                               << points << explanation << d << cy.kco << cy.nendo << xItem
                               << yItem);
        } else if (exists && empty) {
            ok = DM().exec(TDM::ACN2, QStringLiteral("DELETE FROM DSPDRAW") + PairKey,
                           {d, cy.kco, cy.nendo, xItem, yItem});
        }
        if (!ok)
            return FailedResult();
    }
    return RememberSaved(record) && tx.commit() ? SavedResult() : FailedResult();
}

std::optional<DesignCurve> LoadDesignStyle(const CompanyYear& cy, int curve, bool* failed) {
    const TQuery q = DM().select(TDM::ACN2,
                                 QStringLiteral("SELECT * FROM DSPDRAW WHERE NENDO = ? AND KCO = "
                                                "? AND SDCO = ? ORDER BY X, Y"),
                                 {cy.nendo, cy.kco, curve});
    if (failed)
        *failed = !q.active();
    if (q.eof())
        return std::nullopt;
    return curveOf(q);
}

bool SaveDesignStyle(const CompanyYear& cy, int curve, const QString& legend,
                     const QString& description, const CurveStyle& style) {
    Transaction tx(TDM::Files::Data);
    if (!tx.ok())
        return false;
    const TQuery q = DM().select(
        TDM::ACN2,
        QStringLiteral("SELECT SDCO FROM DSPDRAW WHERE NENDO = ? AND KCO = ? AND SDCO = ?"),
        {cy.nendo, cy.kco, curve});
    if (!q.active())
        return false;
    bool ok = true;
    if (q.eof())
        ok = DM().exec(
            TDM::ACN2,
            QStringLiteral("INSERT INTO DSPDRAW (KCO, NENDO, SDCO, FCHKS, FREN, SNENREI1, "
                           "SKIN1, SNENREI2, SKIN2, SNENREI3, SKIN3, SNENREI4, SKIN4, "
                           "SNENREI5, SKIN5, SNENREI6, SKIN6, KAISETSU, HANREI, "
                           "SETSUMEI, SCOLOR, SSYURUI, SHABA) VALUES (?, ?, ?, 0, 0, 0, "
                           "0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, '', ?, ?, ?, ?, ?)"),
            {cy.kco, cy.nendo, curve, legend, description, style.colour, style.kind, style.width});
    else
        ok = DM().exec(
            TDM::ACN2,
            QStringLiteral("UPDATE DSPDRAW SET HANREI = ?, SETSUMEI = ?, SCOLOR = ?, "
                           "SSYURUI = ?, SHABA = ? WHERE SDCO = ? AND KCO = ? AND "
                           "NENDO = ?"),
            {legend, description, style.colour, style.kind, style.width, curve, cy.kco, cy.nendo});
    if (!ok || !tx.commit())
        return false;
    // The pop-up belongs to the design screen: the empty row it gave a design is part of what
    // that screen has loaded, not another person's change.
    const GuardedRecord unpaired = designsRecord(cy, 0, 0);
    if (q.eof() && DM().loadedRecords().contains(unpaired.key))
        RememberRecord(unpaired);
    return true;
}

QVector<DesignRow> ExpandStoredDesigns(const CompanyYear& cy, int xItem, int yItem, bool* failed) {
    std::array<DesignCurve, DesignCount + 1> designs;
    const bool read = LoadDesigns(cy, xItem, yItem, designs);
    if (failed)
        *failed = !read;
    std::array<DesignPoints, DesignCount + 1> points;
    for (int d = 1; d <= DesignCount; ++d)
        points[size_t(d)] = PointsOf(designs[size_t(d)]);
    return read ? ExpandDesigns(points) : QVector<DesignRow>();
}

bool StoreDesignExpansion(const CompanyYear& cy, int xItem, int yItem,
                          const QVector<DesignRow>& rows) {
    QVector<TDM::Binds> binds;
    binds.reserve(rows.size());
    for (const DesignRow& r : rows)
        binds.push_back({cy.kco, cy.nendo, r.design, xItem, yItem, r.no, r.x, r.amount, r.increase,
                         double(r.rateHundredths) / 100.0, r.index});
    Transaction tx(TDM::Files::Data);
    if (!tx.ok())
        return false;
    if (!DM().exec(TDM::ACN2, QStringLiteral("DELETE FROM DCHINGIN WHERE KCO = ? AND NENDO = ?"),
                   {cy.kco, cy.nendo}))
        return false;
    if (!DM().execEach(TDM::ACN2,
                       QStringLiteral("INSERT INTO DCHINGIN (KCO, NENDO, SDCO, X, Y, NO, SNENREI, "
                                      "SKIN, UPKIN, UPRITSU, KAKUSA) VALUES (?, ?, ?, ?, ?, ?, ?, "
                                      "?, ?, ?, ?)"),
                       binds))
        return false;
    return tx.commit();
}

QVector<DesignRow> LoadDesignExpansion(const CompanyYear& cy, bool* failed) {
    TQuery q =
        DM().select(TDM::ACN2,
                    QStringLiteral("SELECT * FROM DCHINGIN WHERE NENDO = ? AND KCO = ? ORDER "
                                   "BY DCHINGIN.NO,SDCO"),
                    {cy.nendo, cy.kco});
    if (failed)
        *failed = !q.active();
    QVector<DesignRow> rows;
    rows.reserve(q.recordCount());
    for (; !q.eof(); q.next()) {
        DesignRow r;
        r.design = q.asInt(QStringLiteral("SDCO"));
        r.no = q.asInt(QStringLiteral("NO"));
        r.x = q.asInt(QStringLiteral("SNENREI"));
        r.amount = q.asCurrency(QStringLiteral("SKIN")).truncated();
        r.increase = q.asCurrency(QStringLiteral("UPKIN")).truncated();
        r.rateHundredths = q.asCurrency(QStringLiteral("UPRITSU")).raw() / 100;
        r.index = q.asInt(QStringLiteral("KAKUSA"));
        rows.push_back(r);
    }
    return rows;
}

QString DesignCsvPath() {
    return state().AppDir + QStringLiteral("CSV/昇給カーブの設計.CSV");
}

DesignExport WriteDesignCsv(const QString& path, const QString& title,
                            const QVector<DesignRow>& rows) {
    DesignExport out;
    const DesignCsvEncoding encoded = EncodeDesignCsv(title, rows);
    if (!encoded.ok) {
        out.status = DesignExport::Unencodable;
        out.detail = encoded.problem;
        return out;
    }
    FileWriteError error;
    if (!WriteWholeFile(path, encoded.bytes, &error)) {
        out.status = DesignExport::WriteFailed;
        out.detail = FileWriteFailureText(
            error.created ? MsgText::CannotWriteCsv() : MsgText::CannotCreateCsv(), path, error);
    }
    return out;
}

DesignPrintHeader DesignPrintHeaderOf(const Project& project, const QString& title, int xItem,
                                      int yItem) {
    AppState& s = state();
    s.refreshToday();
    DesignPrintHeader h;
    h.nendoText = NendoText(project.eraMode(), project.companyYear().nendo);
    h.companyName = project.companyName();
    h.title = title;
    h.today = s.Today;
    h.xItem = xItem;
    h.yItem = yItem;
    return h;
}
