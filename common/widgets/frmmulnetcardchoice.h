#pragma once

#include "common/net/adapterinfo.h"

#include <QDialog>
#include <QStringList>

#include <functional>

class QCheckBox;
class QPushButton;
class QTableWidget;

// Modal dialog that lists the PC's network adapters and returns the address
// of the one the operator picks. It cannot be left without a selected row.
class TfrmMulNetCardChoice : public QDialog
{
    Q_OBJECT
public:
    // The dialog's texts in the current language; the program supplies them
    // at every show.
    struct Texts {
        QString caption;
        QString notShow;
        QString ok;
        QStringList columns; // up to four column captions
        QString notChosen;   // shown when OK is pressed with no row selected
    };

    explicit TfrmMulNetCardChoice(QWidget *parent = nullptr);

    void SetTextProvider(std::function<Texts()> provider) { m_texts = std::move(provider); }
    // How a refusal is shown; the default is a warning box.
    void SetWarner(std::function<void(QWidget *, const QString &)> warner) { m_warner = std::move(warner); }

    // Replaces the rows; preselects the row whose address is serverIp.
    void Fill(const QList<TAdapterInfo> &adapters, const QString &serverIp);

    QString ChosenAddress() const { return m_chosen; }
    bool NotShowChecked() const;

    QTableWidget *lvNetCard() const { return m_list; }
    QCheckBox *cbNotShow() const { return m_notShow; }
    QPushButton *btnOK() const { return m_ok; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool acceptSelection();
    void applyTexts();

    QTableWidget *m_list = nullptr;
    QCheckBox *m_notShow = nullptr;
    QPushButton *m_ok = nullptr;
    QString m_chosen;
    std::function<Texts()> m_texts;
    std::function<void(QWidget *, const QString &)> m_warner;
};
