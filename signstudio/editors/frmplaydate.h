#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The play-day dialog of a page: every day, or on chosen week days. Texts
// come from the 14 choices of the Play_By_Week row: 0 caption, 1 every day,
// 2 by week, 3..8 Monday..Saturday, 9 Sunday, 10 Set, 11 Exit, 12 the
// every-day value, 13 the message for an empty week selection.
class TfrmPlayDate : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmPlayDate(QWidget *parent = nullptr);

    // Texts; without a call (or with too few entries) the current language's
    // choices of the Play_By_Week row are used.
    void SetChoices(const QStringList &choices);
    QStringList Choices() const { return m_choices; }

    void SetValue(const QString &value) { m_value = value; }
    QString Value() const { return m_value; }
    void SetNote(const QString &note);

    // 0 every day, 1 by week.
    int PlaySpan() const;

    // How the refusal of an empty week selection is shown (a message box by
    // default).
    std::function<void(const QString &)> ShowMessage;

    QRadioButton *rgPlaySpanItem(int i) const;
    QCheckBox *cbWeek(int day) const; // 0 Sunday .. 6 Saturday
    QPushButton *btSet() const { return m_btSet; }
    QPushButton *btClose() const { return m_btClose; }

    // Prepares the controls from the value; runs on every show.
    void Prepare();

public slots:
    void rgPlaySpanClick();
    void btSetClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void applyTexts();
    void enableDays(bool on);

    QStringList m_choices;
    QString m_value;
    QGroupBox *m_rgPlaySpan = nullptr;
    QRadioButton *m_items[2] = {nullptr, nullptr};
    QCheckBox *m_days[7] = {};
    QLabel *m_note = nullptr;
    QPushButton *m_btSet = nullptr;
    QPushButton *m_btClose = nullptr;
};
