#include "WindowFixture.h"

#include "widgets/EntryField.h"
#include "widgets/RadioGroup.h"
#include "widgets/ResultLabel.h"
#include "widgets/SpinField.h"

#include <QRadioButton>
#include <QTabWidget>

namespace zandrevio::test {
namespace {

class ChannelPlanWindow : public WindowTest {
protected:
    void Choose(int standard) { Click(Find<RadioGroup>("RadioGroup1")->Button(standard)); }

    void EnterChannel(const QString& text)
    {
        QLineEdit* editor = Find<SpinField>("SpinEdit3")->Editor();
        editor->selectAll();
        Type(editor, text);
    }

    void EnterFrequency(const char* field, const QString& text)
    {
        auto* edit = Find<EntryField>(field);
        FocusOn(edit);
        edit->selectAll();
        Type(edit, text);
    }

    QString Channel() { return Find<SpinField>("SpinEdit3")->text(); }
    QColor ErrorColour() { return Find<ResultLabel>("StaticText68")->TextColor(); }
};

TEST_F(ChannelPlanWindow, StartsWithAmpsChannel1023)
{
    EXPECT_EQ(window->windowTitle(), "Zandrevio v. 1. 04");
    EXPECT_EQ(Find<QTabWidget>("PageControl1")->currentWidget()->objectName(), "RF");
    EXPECT_EQ(Find<RadioGroup>("RadioGroup1")->ItemIndex(), 1);
    EXPECT_EQ(Channel(), "1023");
    EXPECT_EQ(TextOf("Edit11"), "825");
    EXPECT_EQ(TextOf("Edit12"), "870");
    EXPECT_TRUE(Find<QWidget>("Edit11")->isEnabled());
    EXPECT_FALSE(Find<QWidget>("Edit12")->isEnabled());
    EXPECT_TRUE(Find<QRadioButton>("RadioButton1")->isChecked());
    EXPECT_EQ(TextOf("StaticText69"), "45");
    EXPECT_EQ(TextOf("StaticText70"), "30");
    EXPECT_EQ(TextOf("StaticText68"), "0");
    EXPECT_EQ(ErrorColour(), QColor(Qt::black));
}

struct ChannelCase {
    int standard;
    const char* channel;
    const char* receive;
    const char* transmit;
};

TEST_F(ChannelPlanWindow, ConvertsChannelsToFrequencies)
{
    const ChannelCase cases[] = {
        {0, "1", "890.2", "935.2"},     {0, "124", "914.8", "959.8"},     {1, "1", "825.03", "870.03"},
        {1, "799", "848.97", "893.97"}, {1, "991", "824.04", "869.04"},   {1, "1023", "825", "870"},
        {2, "1", "453", "463"},         {2, "180", "457.475", "467.475"},
    };
    for (const auto& c : cases) {
        Choose(c.standard);
        EnterChannel(c.channel);
        Click(Find<QWidget>("BitBtn10"));
        EXPECT_EQ(TextOf("Edit11"), c.receive) << c.channel;
        EXPECT_EQ(TextOf("Edit12"), c.transmit) << c.channel;
        EXPECT_EQ(TextOf("StaticText68"), "0");
    }
    EXPECT_TRUE(feedback.Take().isEmpty());
}

struct FrequencyCase {
    int standard;
    const char* receive;
    const char* channel;
    bool note;
    const char* error;
};

TEST_F(ChannelPlanWindow, ConvertsFrequenciesToChannels)
{
    const FrequencyCase cases[] = {
        {0, "900", "50", false, "0"},           {0, "890.25", "1", true, "50000"},
        {1, "825", "1023", false, "0"},         {1, "824.03", "991", true, "-10000"},
        {1, "836.5", "383", true, "10000"},     {1, "848.98", "799", true, "10000"},
        {2, "453.01", "1", true, "10000"},      {2, "457.48", "180", true, "5000"},
        {0, "890.100001", "1", true, "-99999"}, {1, "825.03", "1", false, "0"},
        {0, "914.9", "124", true, "100000"},    {1, "825.015", "1023", true, "15000"},
    };
    for (const auto& c : cases) {
        Choose(c.standard);
        EnterFrequency("Edit11", c.receive);
        Click(Find<QWidget>("BitBtn9"));
        EXPECT_EQ(Channel(), c.channel) << c.receive;
        EXPECT_EQ(TextOf("StaticText68"), c.error) << c.receive;
        EXPECT_EQ(ErrorColour(), QColor(c.note ? Qt::red : Qt::black)) << c.receive;
        const QStringList expected = c.note ? QStringList{"beep", "error: Note the frequency error !"} : QStringList{};
        EXPECT_EQ(feedback.Take(), expected) << c.receive;
    }
}

TEST_F(ChannelPlanWindow, TheChannelIsWrittenBeforeTheNoteAndTheErrorAfterIt)
{
    Choose(0);
    EnterFrequency("Edit11", "890.25");
    QString channelWhileOpen;
    QString errorWhileOpen;
    feedback.whileOpen = [&] {
        channelWhileOpen = Channel();
        errorWhileOpen = TextOf("StaticText68");
    };
    Click(Find<QWidget>("BitBtn9"));
    EXPECT_EQ(channelWhileOpen, "1");
    EXPECT_EQ(errorWhileOpen, "0");
    EXPECT_EQ(TextOf("StaticText68"), "50000");
}

TEST_F(ChannelPlanWindow, RefusesChannelsTheStandardDoesNotHave)
{
    const struct {
        int standard;
        const char* channel;
        const char* message;
    } cases[] = {
        {0, "0", "GSM channel number must be 1..124"},
        {0, "125", "GSM channel number must be 1..124"},
        {0, "", "GSM channel number must be 1..124"},
        {1, "800", "AMPS channel number must be 1..799, 991..1023"},
        {1, "990", "AMPS channel number must be 1..799, 991..1023"},
        {1, "1024", "AMPS channel number must be 1..799, 991..1023"},
        {2, "181", "NMT channel number must be 1..180"},
    };
    for (const auto& c : cases) {
        Choose(c.standard);
        const QString receive = TextOf("Edit11");
        EnterChannel(c.channel);
        FocusOn(Find<QWidget>("Edit11"));
        Click(Find<QWidget>("BitBtn10"));
        EXPECT_EQ(feedback.Take(), (QStringList{"beep", QString("error: ") + c.message})) << c.channel;
        QLineEdit* editor = Find<SpinField>("SpinEdit3")->Editor();
        EXPECT_TRUE(editor->hasFocus()) << c.channel;
        EXPECT_EQ(editor->selectedText(), editor->text());
        EXPECT_EQ(TextOf("Edit11"), receive);
    }
}

TEST_F(ChannelPlanWindow, RefusesFrequenciesOutsideTheBandAndFocusesTheEditableField)
{
    Choose(0);
    EnterFrequency("Edit11", "890.1");
    Click(Find<QWidget>("BitBtn9"));
    EXPECT_EQ(
        feedback.Take(),
        (QStringList{"beep", "error: GSM Frequency must be  890.1 < Frx < 914.9 MHz and 935.1 < Ftx < 959.9 MHz"}));
    auto* receive = Find<EntryField>("Edit11");
    EXPECT_TRUE(receive->hasFocus());
    EXPECT_EQ(receive->selectedText(), "890.1");
    EXPECT_EQ(Channel(), "1");

    // In "BS TX" mode the transmit field is the one to correct.
    Click(Find<QRadioButton>("RadioButton2"));
    EnterFrequency("Edit12", "999");
    Click(Find<QWidget>("BitBtn9"));
    EXPECT_EQ(TextOf("Edit11"), "954");
    EXPECT_EQ(feedback.Take().value(0), "beep");
    auto* transmit = Find<EntryField>("Edit12");
    EXPECT_TRUE(transmit->hasFocus());
    EXPECT_EQ(transmit->selectedText(), "999");
}

TEST_F(ChannelPlanWindow, TransmitModeReadsTheReceiveFieldItsExitWrote)
{
    Choose(0);
    Click(Find<QRadioButton>("RadioButton2"));
    EXPECT_FALSE(Find<QWidget>("Edit11")->isEnabled());
    EXPECT_TRUE(Find<QWidget>("Edit12")->isEnabled());
    EnterFrequency("Edit12", "935.2");
    Click(Find<QWidget>("BitBtn9"));
    EXPECT_EQ(TextOf("Edit11"), "890.2");
    EXPECT_EQ(Channel(), "1");
    // The choice of field survives a change of standard.
    Choose(2);
    EXPECT_TRUE(Find<QRadioButton>("RadioButton2")->isChecked());
    EXPECT_TRUE(Find<QWidget>("Edit12")->isEnabled());
}

TEST_F(ChannelPlanWindow, ChoosingAStandardResetsThePage)
{
    Choose(2);
    EXPECT_EQ(TextOf("Edit11"), "453");
    EXPECT_EQ(TextOf("Edit12"), "463");
    EXPECT_EQ(TextOf("StaticText69"), "10");
    EXPECT_EQ(TextOf("StaticText70"), "25");
    EXPECT_EQ(Channel(), "1");
    // The receive field's exit now adds 10 MHz, not 45.
    EnterFrequency("Edit11", "455");
    FocusOn(Find<SpinField>("SpinEdit3"));
    EXPECT_EQ(TextOf("Edit12"), "465");

    Choose(0);
    EXPECT_EQ(TextOf("Edit11"), "890.2");
    EXPECT_EQ(TextOf("Edit12"), "935.2");
    EXPECT_EQ(TextOf("StaticText69"), "45");
    EXPECT_EQ(TextOf("StaticText70"), "200");
}

TEST_F(ChannelPlanWindow, ChoosingTheSameStandardChangesNothing)
{
    Choose(1);
    EXPECT_EQ(Channel(), "1023");
    EXPECT_EQ(TextOf("Edit11"), "825");
    EXPECT_EQ(TextOf("Edit12"), "870");
}

TEST_F(ChannelPlanWindow, TheErrorStaysRedUntilTheNextConversion)
{
    Choose(1);
    EnterFrequency("Edit11", "836.5");
    Click(Find<QWidget>("BitBtn9"));
    EXPECT_EQ(ErrorColour(), QColor(Qt::red));
    EnterChannel("5");
    Click(Find<QWidget>("BitBtn10"));
    EXPECT_EQ(ErrorColour(), QColor(Qt::black));
    EXPECT_EQ(TextOf("StaticText68"), "0");
}

TEST_F(ChannelPlanWindow, ATextThatIsNoNumberEndsInTheApplicationErrorBox)
{
    auto* receive = Find<EntryField>("Edit11");
    FocusOn(receive);
    Put(receive, "8a25");
    Click(Find<QWidget>("BitBtn9"));
    // The exit rule fails first, then the button's own reading.
    EXPECT_EQ(feedback.Take(),
              (QStringList{"app: '8a25' is not a valid floating point value.",
                           "app: '8a25' is not a valid floating point value."}));
    EXPECT_EQ(Channel(), "1023");
    EXPECT_EQ(TextOf("Edit12"), "870");
}

TEST_F(ChannelPlanWindow, WorksWithTheCommaAsSeparator)
{
    SeparatorGuard comma(',');
    Choose(2);
    EXPECT_EQ(TextOf("Edit11"), "453");
    EnterFrequency("Edit11", "457.48");
    EXPECT_EQ(TextOf("Edit11"), "457,48");
    Click(Find<QWidget>("BitBtn9"));
    EXPECT_EQ(Channel(), "180");
    EXPECT_EQ(TextOf("StaticText68"), "5000");
    EXPECT_EQ(TextOf("Edit12"), "467,48");
    EnterChannel("180");
    Click(Find<QWidget>("BitBtn10"));
    EXPECT_EQ(TextOf("Edit11"), "457,475");
}

} // namespace
} // namespace zandrevio::test
