#include "widgets/CalculationForm.h"

#include "numeric/app_error.h"
#include "numeric/decimal_separator.h"
#include "numeric/format.h"
#include "widgets/CalculateButton.h"
#include "widgets/EntryField.h"
#include "widgets/Feedback.h"
#include "widgets/FieldIo.h"
#include "widgets/FieldTable.h"
#include "widgets/HandlerGuard.h"
#include "widgets/RadioGroup.h"
#include "widgets/ResultLabel.h"
#include "widgets/UnitPicker.h"

#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

#include <algorithm>

namespace zandrevio {

namespace {
// The page's grid: a field's caption and its field, or a result's caption,
// value and unit, two to a row (columns 0-2 and 3-5).
constexpr int kFieldWidth = 64;
// The room of a result: the longest text ("-1.2346E-4951") fits once the
// label has made its font smaller.
constexpr QSize kResultSize(88, 19);
constexpr int kPairs = 2;

QString Q(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A caption whose buddy is the control it names.
QLabel* Caption(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

// An alternative as a radio button reads: the caption of its first option.
QString AlternativeText(const std::vector<OptionSpec>& options, const std::vector<std::string_view>& alternative)
{
    for (const OptionSpec& option : options) {
        if (option.name == alternative.front()) {
            return Q(option.caption);
        }
    }
    return Q(alternative.front());
}

// The options a calculation takes, each with the start value some variant gives it.
std::vector<OptionSpec> OptionsWithStarts(const Calculation& calculation)
{
    std::vector<OptionSpec> options = calculation.Options();
    for (OptionSpec& option : options) {
        for (const Variant& variant : calculation.variants) {
            for (const OptionSpec& own : variant.options) {
                if (own.name == option.name && !own.start.empty() && option.start.empty()) {
                    option.start = own.start;
                }
            }
        }
    }
    return options;
}

// The width of a frame of radio buttons side by side, each as wide as the
// widest needs; never narrower than a page's usual 130.
int RadioFrameWidth(const QStringList& items)
{
    int widest = 0;
    for (const QString& item : items) {
        widest = std::max(widest, QRadioButton(item).sizeHint().width());
    }
    return std::max(130, static_cast<int>(items.size()) * (widest + 4) + 16);
}

// A start value as the window shows it: with the user's decimal separator.
QString StartText(const OptionSpec& option)
{
    std::string text(option.start);
    if (option.kind == FieldKind::Real) {
        std::replace(text.begin(), text.end(), '.', DecimalSeparator());
    }
    return Q(text);
}
} // namespace

CalculationForm::CalculationForm(const Calculation& calculation, const QString& title, const QString& buttonSpoken,
                                 const QString& prefix, QWidget* parent)
    : QGroupBox(title, parent)
    , m_calculation(calculation)
    , m_prefix(prefix)
{
    setObjectName(Own("Form"));
    auto* grid = new QGridLayout(this);
    int row = 0;
    AddAlternatives(*grid, row);
    AddFields(*grid, row);
    m_button = new CalculateButton;
    m_button->setObjectName(Own("Button"));
    m_button->setText(tr("Calculate"));
    m_button->setAccessibleName(buttonSpoken);
    grid->addWidget(m_button, row++, 0);
    AddResults(*grid, row);
    m_notes = new NoteLabel;
    m_notes->setObjectName(Own("Warnings"));
    m_notes->setAccessibleName(tr("Warnings"));
    m_notes->setWordWrap(true);
    QPalette red = m_notes->palette();
    red.setColor(QPalette::WindowText, QColor(160, 0, 0));
    m_notes->setPalette(red);
    m_notes->hide();
    grid->addWidget(m_notes, row, 0, 1, 3 * kPairs);
    grid->setColumnStretch(3 * kPairs, 1);
    ChooseAlternatives();
    connect(m_button, &QPushButton::clicked, this, Guarded([this] { Calculate(); }));
}

void CalculationForm::AddAlternatives(QGridLayout& grid, int& row)
{
    const std::vector<OptionSpec> options = calculation().Options();
    for (const OneOf& rule : m_calculation.rules) {
        if (rule.count != 1 || rule.atMostOne || rule.alternatives.size() < 2) {
            continue;
        }
        auto* group = new RadioGroup;
        group->setObjectName(Named(rule.alternatives.front().front(), "OrGroup"));
        group->setTitle(tr("Given"));
        QStringList items;
        for (const auto& alternative : rule.alternatives) {
            items << AlternativeText(options, alternative);
        }
        const int columns = static_cast<int>(items.size());
        group->setFixedSize(RadioFrameWidth(items), 40);
        group->SetItems(items, columns);
        group->SetItemIndex(0);
        grid.addWidget(group, row++, 0, 1, 3 * kPairs, Qt::AlignLeft);
        connect(group, &RadioGroup::clicked, this, Guarded([this] { ChooseAlternatives(); }));
        m_alternatives.push_back({&rule, group});
    }
}

void CalculationForm::AddFields(QGridLayout& grid, int& row)
{
    int pair = 0;
    // A file the calculation needs (a pattern's) is a field of the form.
    const auto needed = [this](std::string_view name) {
        for (const Variant& variant : m_calculation.variants) {
            if (std::find(variant.needs.begin(), variant.needs.end(), name) != variant.needs.end()) {
                return true;
            }
        }
        return false;
    };
    for (const OptionSpec& option : OptionsWithStarts(m_calculation)) {
        if (option.repeated || (option.kind == FieldKind::Text && option.start.empty() && !needed(option.name))) {
            continue; // lists and other files have pages of their own
        }
        QWidget* widget = nullptr;
        if (option.kind == FieldKind::Choice) {
            if (option.choices.size() <= 3) {
                auto* group = new RadioGroup;
                group->setObjectName(Named(option.name, "Group"));
                group->setTitle(Q(option.caption));
                // Its buttons are placed in the frame's size when they are made.
                QStringList texts;
                for (const Choice& choice : option.choices) {
                    texts << Q(choice.text);
                }
                group->setFixedSize(RadioFrameWidth(texts), 40);
                FillChoices(*group, option.choices, static_cast<int>(option.choices.size()));
                group->SetItemIndex(std::max(0, ChoiceIndex(option.choices, option.start)));
                widget = group;
            } else {
                auto* picker = new UnitPicker;
                picker->setObjectName(Named(option.name, "Picker"));
                picker->setAccessibleName(Q(option.caption));
                FillChoices(*picker, option.choices);
                picker->SetTopIndex(std::max(0, ChoiceIndex(option.choices, option.start)));
                widget = picker;
            }
            if (qobject_cast<RadioGroup*>(widget) != nullptr && !m_fields.empty()) {
                // Buttons of a choice sit under the field they qualify (a
                // gain's unit under the gain), the row to themselves.
                const int column = pair == 0 ? 3 * (kPairs - 1) : 0;
                row += pair == 0 ? 0 : 1;
                grid.addWidget(widget, row++, column, 1, 2, Qt::AlignLeft);
                pair = 0;
                m_fields.push_back({option, widget, nullptr});
                continue;
            }
            grid.addWidget(widget, row, 3 * pair, 1, 2, Qt::AlignLeft);
            m_fields.push_back({option, widget, nullptr});
        } else {
            EntryField* entry = option.kind == FieldKind::Text ? static_cast<EntryField*>(new TextField)
                : option.negative                               ? static_cast<EntryField*>(new SignedDecimalField)
                                                                : static_cast<EntryField*>(new DecimalField);
            entry->setObjectName(Named(option.name, "Field"));
            entry->setAccessibleName(Q(option.caption));
            entry->setText(StartText(option));
            entry->setFixedWidth(option.kind == FieldKind::Text ? 2 * kFieldWidth : kFieldWidth);
            QLabel* caption = Caption(Q(option.caption), entry);
            grid.addWidget(caption, row, 3 * pair);
            grid.addWidget(entry, row, 3 * pair + 1);
            widget = entry;
            m_fields.push_back({option, entry, caption});
        }
        if (++pair == kPairs) {
            pair = 0;
            ++row;
        }
    }
    row += pair > 0 ? 1 : 0;
}

void CalculationForm::AddResults(QGridLayout& grid, int& row)
{
    int pair = 0;
    for (const ResultSpec* spec : m_calculation.Results()) {
        auto* label = new ResultLabel;
        label->setObjectName(Named(spec->name, "Result"));
        label->setFixedSize(kResultSize);
        auto* caption = new QLabel(Q(spec->caption));
        label->Describe(*spec, caption);
        grid.addWidget(caption, row, 3 * pair);
        grid.addWidget(label, row, 3 * pair + 1);
        grid.addWidget(new QLabel(Q(spec->unit)), row, 3 * pair + 2);
        m_results.push_back({spec, label});
        if (++pair == kPairs) {
            pair = 0;
            ++row;
        }
    }
    row += pair > 0 ? 1 : 0;
}

QString CalculationForm::Own(const char* kind) const
{
    return (m_prefix.isEmpty() ? CamelName(m_calculation.name) : m_prefix) + QString::fromLatin1(kind);
}

QString CalculationForm::Named(std::string_view name, const char* kind) const
{
    return m_prefix + CamelName(name) + QString::fromLatin1(kind);
}

const Calculation& CalculationForm::calculation() const
{
    return m_calculation;
}

bool CalculationForm::Chosen(std::string_view option) const
{
    for (const Alternatives& alternatives : m_alternatives) {
        const auto& all = alternatives.rule->alternatives;
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (std::find(all[i].begin(), all[i].end(), option) != all[i].end()) {
                return static_cast<int>(i) == alternatives.group->ItemIndex();
            }
        }
    }
    return true; // no alternative: always given
}

void CalculationForm::ChooseAlternatives()
{
    for (const Field& field : m_fields) {
        const bool chosen = Chosen(field.option.name);
        field.widget->setEnabled(chosen);
        if (field.caption != nullptr) {
            field.caption->setEnabled(chosen);
        }
    }
}

Request CalculationForm::RequestOfFields() const
{
    Request request;
    request.SetEcho(false);
    for (const Field& field : m_fields) {
        if (!Chosen(field.option.name)) {
            continue;
        }
        const std::string name(field.option.name);
        if (const auto* group = qobject_cast<const RadioGroup*>(field.widget)) {
            request.Give(name, std::string(field.option.choices[static_cast<std::size_t>(group->ItemIndex())].key));
        } else if (const auto* picker = qobject_cast<const UnitPicker*>(field.widget)) {
            request.Give(name, std::string(field.option.choices[static_cast<std::size_t>(picker->TopIndex())].key));
        } else {
            request.Give(name, TextOf(*static_cast<const EntryField*>(field.widget)));
        }
    }
    return request;
}

void CalculationForm::Calculate()
{
    Reply reply;
    try {
        reply = m_calculation.Run(RequestOfFields());
    } catch (const RequestError& error) {
        // A whole number that is none, as a field's text that is no number: the application's
        // error box, the field named by its caption.
        std::string message = error.what();
        for (const Field& field : m_fields) {
            if (field.option.name == error.Option()) {
                message = std::string(field.option.caption) + message.substr(error.Option().size() + 2);
                field.widget->setFocus();
            }
        }
        ShowApplicationError(Q(ApplicationErrorBoxText(message)));
        return;
    }
    if (reply.Failed()) {
        QWidget* field = FieldOf(reply.errorOption);
        return RefuseAt(field != nullptr ? field : m_button, reply.error, reply.beep);
    }
    // Every text is made before the first is written.
    std::vector<QString> texts(m_results.size());
    for (const ResultValue& value : reply.results) {
        for (std::size_t i = 0; i < m_results.size(); ++i) {
            if (m_results[i].spec->name == value.spec->name) {
                texts[i] = value.format == ResultFormat::Text ? Q(value.text) : Q(FormatAs(value.format, value.value));
            }
        }
    }
    for (std::size_t i = 0; i < m_results.size(); ++i) {
        m_results[i].label->setText(texts[i]);
    }
    QStringList warnings;
    for (const std::string& warning : reply.warnings) {
        warnings << Q(warning);
    }
    m_notes->SetNotes(warnings);
    m_notes->setVisible(!warnings.isEmpty());
}

QWidget* CalculationForm::FieldOf(std::string_view option) const
{
    for (const Field& field : m_fields) {
        if (field.option.name == option) {
            return field.widget;
        }
    }
    return nullptr;
}

ResultLabel* CalculationForm::ResultOf(std::string_view name) const
{
    for (const Result& result : m_results) {
        if (result.spec->name == name) {
            return result.label;
        }
    }
    return nullptr;
}

} // namespace zandrevio
