#include "CodeStorePass.h"

#include "data/Errors.h"
#include "data/SettingsRecord.h"
#include "data/Sqlite.h"
#include "data/TDM.h"

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

const QString kKeyField = u"Kid"_s;
const QString kReceiverField = u"Mottagare"_s;
const QString kCodeField = u"Kod"_s;

void openIfClosed(Table& table) {
    if (!table.isOpen())
        table.open();
}

// After a rollback the table object still holds the half-done work; bring it back to what
// the file says, at the record it showed before.
void reread(Table& table, int position) noexcept {
    try {
        table.cancel();
        if (!table.isOpen())
            return;
        table.refresh();
        table.moveTo(position);
    } catch (const StoreError&) {
        // The first failure is the one the user sees.
    }
}

} // namespace

CodeStorePass::CodeStorePass(TDM& tdm, ScrambleDirection direction, QObject* parent)
    : QObject(parent), tdm_(tdm), direction_(direction) {
    pause_.setObjectName(u"PassPause"_s);
    pause_.setSingleShot(true);
    pause_.setTimerType(Qt::PreciseTimer);
    pause_.setInterval(kPausePerRecord);
    connect(&pause_, &QTimer::timeout, this, &CodeStorePass::pauseOver);
}

std::optional<QString> CodeStorePass::prepare() {
    conversions_.clear();
    Table& kod = tdm_.kodTb();
    openIfClosed(kod);
    const int keyField = kod.fieldIndex(kKeyField);
    const int receiverField = kod.fieldIndex(kReceiverField);
    const int codeField = kod.fieldIndex(kCodeField);
    QList<Conversion> conversions;
    for (int position = 0; position < kod.recordCount(); ++position) {
        const QString code = kod.textAt(position, codeField);
        if (const std::optional<char32_t> character = unconvertibleCharacter(code, direction_)) {
            const QString receiver = kod.textAt(position, receiverField);
            return (direction_ == ScrambleDirection::Scramble
                        ? u"The code of the receiver \"%1\" holds the character %2, which cannot "
                          "be scrambled. No code was changed."_s
                        : u"The code of the receiver \"%1\" holds the character %2, which cannot "
                          "be unscrambled. No code was changed."_s)
                .arg(receiver, describeCharacter(*character));
        }
        const QString converted =
            direction_ == ScrambleDirection::Scramble ? ScrambleText(code) : UnscrambleText(code);
        conversions << Conversion{kod.valueAt(position, keyField).toLongLong(), converted};
    }
    conversions_ = conversions;
    return std::nullopt;
}

void CodeStorePass::start() {
    reached_ = 0;
    if (conversions_.isEmpty()) {
        emit finished();
        return;
    }
    reached_ = 1;
    emit advanced(reached_);
    pause_.start();
}

void CodeStorePass::pauseOver() {
    if (reached_ < recordCount()) {
        ++reached_;
        emit advanced(reached_);
        pause_.start();
        return;
    }
    try {
        writeAll();
    } catch (const StoreError& error) {
        emit failed(error.text());
        return;
    }
    emit finished();
}

void CodeStorePass::writeAll() {
    Table& kod = tdm_.kodTb();
    Table& config = tdm_.configTb();
    // Files are attached before the transaction: attaching inside one is refused.
    openIfClosed(kod);
    openIfClosed(config);
    const int kodPosition = kod.position();
    const int configPosition = config.position();
    kod.disableControls();
    try {
        Transaction transaction(tdm_.connection());
        writeConversions();
        changeSettings(config, [&] {
            config.setLogical(u"Krypterad"_s, direction_ == ScrambleDirection::Scramble);
        });
        transaction.commit();
    } catch (...) {
        reread(kod, kodPosition);
        reread(config, configPosition);
        kod.enableControls();
        throw;
    }
    kod.moveTo(kodPosition);
    kod.enableControls();
}

void CodeStorePass::writeConversions() {
    Table& kod = tdm_.kodTb();
    const int codeField = kod.fieldIndex(kCodeField);
    int done = 0;
    for (const Conversion& conversion : std::as_const(conversions_)) {
        if (!kod.locate(kKeyField, {conversion.key}))
            throw StoreError(u"A record of the code store went missing during the pass. No code "
                             "was changed."_s);
        kod.edit();
        // The stored form as it is: a scrambled code may take more room than its plain one.
        kod.setValue(codeField, conversion.code);
        kod.post();
        emit written(++done);
    }
}

} // namespace hoardly
