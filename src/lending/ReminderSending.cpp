#include "ReminderSending.h"

#include "data/Table.h"

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

QString text(const char* words) {
    return QString::fromUtf8(words);
}

QString lineBreakMessage(const ReminderLoan& loan) {
    return u"The reminder about \"%1\" was not sent: an E-mail address or a name holds a line "
           "break. Check out your Internetsettings in mainmenu/properties."_s.arg(loan.objekt);
}

} // namespace

ReminderSending::ReminderSending(Table& config, ReminderProgress& progress, ReminderOptions options,
                                 QObject* parent)
    : QObject(parent), config_(config), progress_(progress), options_(std::move(options)) {}

ReminderSending::~ReminderSending() = default;

void ReminderSending::start(const ReminderLoan& loan) {
    progress_.begin();
    progress_.setStatus(text(reminderText::kPreparing));
    bar_ = 0;
    progress_.setBar(bar_);
    advance(10);

    if (!config_.isOpen())
        config_.open();
    const MailSettings settings = readMailSettings(config_);
    if (!mailSettingsComplete(settings)) {
        progress_.tell(text(reminderText::kIncompleteSettings));
        return close(SmtpOutcome::Failed);
    }
    const std::optional<ReminderMessage> message =
        composeReminder(settings, loan, options_.now(), options_.downloadAddress);
    if (!message) {
        progress_.tell(lineBreakMessage(loan));
        return close(SmtpOutcome::Failed);
    }

    progress_.setStatus(text(reminderText::kConnecting));
    advance(40);
    exchange_ = std::make_unique<SmtpExchange>(options_.timeouts);
    connect(exchange_.get(), &SmtpExchange::greeted, this,
            [this] { progress_.setStatus(text(reminderText::kConnected)); });
    connect(exchange_.get(), &SmtpExchange::messageAccepted, this, [this] {
        advance(40);
        advance(10);
    });
    connect(exchange_.get(), &SmtpExchange::finished, this, &ReminderSending::exchangeEnded);
    exchange_->start({settings.smtp, quint16(settings.mailport), settings.mailid,
                      settings.mailadress, loan.address, message->data()});
}

void ReminderSending::advance(int steps) {
    bar_ += steps;
    progress_.setBar(bar_);
}

void ReminderSending::exchangeEnded() {
    const SmtpOutcome outcome = exchange_->outcome();
    failure_ = exchange_->failure();
    switch (outcome) {
    case SmtpOutcome::NoContact:
        progress_.tell(text(reminderText::kNoContact));
        break;
    case SmtpOutcome::MessageRefused:
        progress_.tell(text(reminderText::kOperationFailed));
        break;
    default:
        break;
    }
    if (outcome != SmtpOutcome::Sent)
        progress_.tell(text(reminderText::kSendingFailed));
    close(outcome);
}

void ReminderSending::close(SmtpOutcome outcome) {
    outcome_ = outcome;
    progress_.setStatus(text(reminderText::kFinished));
    progress_.end();
    QMetaObject::invokeMethod(this, &ReminderSending::finished, Qt::QueuedConnection);
}

} // namespace hoardly
