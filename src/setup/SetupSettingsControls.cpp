#include "setup/SetupSettingsControls.h"

#include "launch/Settings.h"
#include "setup/GestureSetupWindow.h"
#include "launch/SettingsInput.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QToolTip>

namespace scriblo {

namespace {

QString rangeText(int32_t lowest, int32_t highest)
{
    return QCoreApplication::translate("SetupSettingsControls", "Takes %1 to %2").arg(lowest).arg(highest);
}

}

SetupSettingsControls::SetupSettingsControls(GestureSetupWindow& window, Change change)
    : m_window(window)
    , m_change(std::move(change))
{
}

void SetupSettingsControls::connectFields(QObject* context)
{
    auto saveNumber = [this, context](QLineEdit* field, NumberSetting setting) {
        field->setToolTip(rangeText(setting.lowest, setting.highest));
        QObject::connect(field, &QLineEdit::editingFinished, context, [this, field, setting] { numberChanged(field, setting); });
    };
    saveNumber(m_window.minimumRecognitionScoreField,
               { &SettingsInput::acceptedMinimumRecognitionScore, &Settings::saveMinimumRecognitionScore,
                 Settings::lowestMinimumRecognitionScore, Settings::highestMinimumRecognitionScore });
    saveNumber(m_window.readingDelayTimeField,
               { &SettingsInput::acceptedReadingDelayTime, &Settings::saveReadingDelayTime,
                 Settings::shortestReadingDelayTime, Settings::longestReadingDelayTime });
    auto saveOnClick = [this, context](QCheckBox* box, void (Settings::*save)(bool)) {
        QObject::connect(box, &QCheckBox::clicked, context, [this, box, save] {
            bool on = box->isChecked();
            m_change([on, save](Settings& settings) { (settings.*save)(on); });
        });
    };
    saveOnClick(m_window.multitouchOptionField, &Settings::saveMultitouchOption);
    saveOnClick(m_window.fullscreenOptionField, &Settings::saveFullscreenOption);
    saveOnClick(m_window.quickdrawOptionField, &Settings::saveQuickdrawOption);
    QObject::connect(m_window.loginStartOptionField, &QCheckBox::clicked, context,
                     [this] { loginStartOptionChanged(); });
}

void SetupSettingsControls::writeToFields(const Settings& settings)
{
    m_window.minimumRecognitionScoreField->setText(QString::number(settings.minimumRecognitionScore()));
    m_window.readingDelayTimeField->setText(QString::number(settings.readingDelayTime()));
    m_window.multitouchOptionField->setChecked(settings.multitouchOption());
    m_window.fullscreenOptionField->setChecked(settings.fullscreenOption());
    m_window.loginStartOptionField->setChecked(settings.loginStartOption());
    m_window.quickdrawOptionField->setChecked(settings.quickdrawOption());
}

void SetupSettingsControls::numberChanged(QLineEdit* field, const NumberSetting& setting)
{
    // Walking through a field with Tab changes nothing, and so must not end a drawing
    // under way or refresh the window.
    if (!field->isModified())
        return;
    std::string text = field->text().toStdString();
    auto accepted = setting.accept(text);
    m_change([&](Settings& settings) {
        if (accepted)
            (settings.*setting.save)(*accepted);
    });
    QString said = accepted ? QString() : rangeText(setting.lowest, setting.highest);
    field->setAccessibleDescription(said);
    if (!accepted && field->isVisible())
        QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), said, field);
}

void SetupSettingsControls::loginStartOptionChanged()
{
    bool on = m_window.loginStartOptionField->isChecked();
    m_change([on](Settings& settings) {
        settings.saveLoginStartOption(on);
        // The box shows whether the login list really holds Scriblo now.
        settings.readLoginStartOption();
    });
}

}
