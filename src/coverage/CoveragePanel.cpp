#include "coverage/CoveragePanel.h"

#include "calculation/request.h"
#include "coverage/coverage_entries.h"
#include "coverage/map_raster.h"
#include "coverage/server_entries.h"
#include "coverage/site_table.h"
#include "numeric/format.h"
#include "numeric/parse_real.h"
#include "registry/registry.h"
#include "terrain/dem_raster.h"
#include "terrain/path_source.h"
#include "widgets/CalculateButton.h"
#include "widgets/EntryField.h"
#include "widgets/Feedback.h"
#include "widgets/FieldIo.h"
#include "widgets/FieldTable.h"
#include "widgets/HandlerGuard.h"
#include "widgets/ItemViewFocus.h"
#include "widgets/PlotImage.h"
#include "widgets/RadioGroup.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSvgGenerator>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace zandrevio {

namespace {
// An option's name as the page names its controls: "time" gives Time, "rx-height" RxHeight.
std::string PascalCase(std::string_view name)
{
    std::string named;
    bool upper = true;
    for (const char c : name) {
        if (c == '-') {
            upper = true;
            continue;
        }
        named += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
        upper = false;
    }
    return named;
}

// The sites' columns: the table's caption, the option it gives, its start.
struct SiteColumn {
    const char* caption;
    const char* option;
    const char* start;
};
const SiteColumn kSiteColumns[] = {{"Name", "name", "Site"},
                                   {"Latitude", "latitude", "45.5"},
                                   {"Longitude", "longitude", "6.5"},
                                   {"Height (m)", "tx-height", "30"},
                                   {"Freq. (MHz)", "frequency", "900"},
                                   {"Power (W)", "power", "20"}};
constexpr int kSiteColumnCount = 6;

// A line of text the page shows, and a screen reader reads with its caption.
void SetLine(QLabel* label, const QString& caption, const QString& text)
{
    label->setText(text);
    label->setAccessibleName(caption + ": " + QString(text).replace('\n', "; "));
}

template <typename Field>
Field* NamedField(const char* name, const QString& text, const QString& spoken)
{
    auto* field = new Field;
    field->setObjectName(QString::fromLatin1(name));
    field->setText(text);
    field->setAccessibleName(spoken);
    return field;
}
} // namespace

CoveragePanel::CoveragePanel(QWidget* parent)
    : QWidget(parent)
    , m_dem(NamedField<TextField>("DemField", {}, tr("Elevation data")))
    , m_sites(new QTableWidget(0, kSiteColumnCount))
    , m_radius(NamedField<DecimalField>("RadiusField", "5", tr("Radius (km)")))
    , m_resolution(NamedField<DecimalField>("ResolutionField", "100", tr("Resolution (m)")))
    , m_rxHeight(NamedField<DecimalField>("RxHeightField", "1.5", tr("Receiver height (m)")))
    , m_model(new RadioGroup)
    , m_threshold(NamedField<SignedDecimalField>("ThresholdField", "-100", tr("Threshold (dBm)")))
    , m_calculate(new CalculateButton)
    , m_cancel(new QPushButton(tr("Cancel")))
    , m_progress(new QProgressBar)
    , m_band(new QComboBox)
    , m_map(new CoverageMap)
    , m_readout(new QLabel)
    , m_summary(new QLabel)
{
    auto* layout = new QVBoxLayout(this);
    auto* inputs = new QGroupBox(tr("Sites and terrain"));
    auto* grid = new QGridLayout(inputs);
    auto* browse = new QPushButton(tr("Browse..."));
    browse->setObjectName("CoverageBrowseButton");
    browse->setAccessibleName(tr("Browse for elevation data files"));
    grid->addWidget(new QLabel(tr("Elevation data")), 0, 0);
    grid->addWidget(m_dem, 0, 1, 1, 3);
    grid->addWidget(browse, 0, 4);
    m_sites->setObjectName("SiteTable");
    m_sites->setAccessibleName(tr("Sites"));
    QStringList captions;
    for (const SiteColumn& column : kSiteColumns) {
        captions << tr(column.caption);
    }
    m_sites->setHorizontalHeaderLabels(captions);
    m_sites->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_sites->setMinimumHeight(110);
    m_sites->setTabKeyNavigation(false); // Tab leaves the table; the arrows move within it
    CurrentOnlyWhileFocused(*m_sites);
    grid->addWidget(m_sites, 1, 0, 1, 5);
    auto* add = new QPushButton(tr("Add site"));
    add->setObjectName("AddSiteButton");
    auto* remove = new QPushButton(tr("Remove site"));
    remove->setObjectName("RemoveSiteButton");
    auto* load = new QPushButton(tr("Load sites..."));
    load->setObjectName("LoadSitesButton");
    load->setAccessibleName(tr("Load the sites from a CSV file"));
    auto* siteButtons = new QHBoxLayout;
    siteButtons->addWidget(add);
    siteButtons->addWidget(remove);
    siteButtons->addWidget(load);
    siteButtons->addStretch(1);
    grid->addLayout(siteButtons, 2, 0, 1, 5);
    const std::pair<const char*, QLineEdit*> fields[] = {{"Radius (km)", m_radius},
                                                         {"Resolution (m)", m_resolution},
                                                         {"Receiver height (m)", m_rxHeight},
                                                         {"Threshold (dBm)", m_threshold}};
    for (int i = 0; i < 4; ++i) {
        auto* caption = new QLabel(tr(fields[i].first));
        caption->setBuddy(fields[i].second);
        grid->addWidget(caption, 3 + i / 2, (i % 2) * 2);
        grid->addWidget(fields[i].second, 3 + i / 2, (i % 2) * 2 + 1);
    }
    m_model->setObjectName("ModelGroup");
    m_model->setTitle(tr("Model"));
    // Its buttons are placed in the frame's size when they are made.
    m_model->setFixedSize(520, 44);
    m_model->SetItems({tr("Longley-Rice (ITM)"), tr("ITU-R P.526 (delta-Bullington)")}, 2);
    m_model->SetItemIndex(0);
    grid->addWidget(m_model, 5, 0, 1, 5);
    layout->addWidget(inputs);

    // The model's options, as itm has them: their captions, starts and choices.
    auto* options = new QGroupBox(tr("The model's options"));
    options->setObjectName("ModelOptionsGroup");
    auto* optionGrid = new QGridLayout(options);
    const Calculation& itm = RegisteredCalculation("itm");
    int placed = 0;
    for (const char* name : {"polarization", "climate", "refractivity", "permittivity", "conductivity", "mdvar", "time",
                             "location", "situation"}) {
        const auto found = std::find_if(itm.variants.front().options.begin(), itm.variants.front().options.end(),
                                        [name](const OptionSpec& option) { return option.name == name; });
        if (found == itm.variants.front().options.end()) {
            continue;
        }
        const OptionSpec& option = *found;
        QWidget* widget = nullptr;
        const QString named = QString::fromStdString(PascalCase(option.name));
        if (option.kind == FieldKind::Choice) {
            auto* picker = new QComboBox;
            picker->setObjectName(named + "Picker");
            for (const Choice& choice : option.choices) {
                picker->addItem(QString::fromUtf8(choice.text.data(), static_cast<int>(choice.text.size())),
                                QString::fromUtf8(choice.key.data(), static_cast<int>(choice.key.size())));
            }
            picker->setCurrentIndex(std::max(0, ChoiceIndex(option.choices, option.start)));
            widget = picker;
        } else {
            auto* field = new DecimalField;
            field->setObjectName(named + "Field");
            field->setText(QString::fromUtf8(option.start.data(), static_cast<int>(option.start.size())));
            widget = field;
        }
        const QString caption = QString::fromUtf8(option.caption.data(), static_cast<int>(option.caption.size()));
        widget->setAccessibleName(caption);
        auto* label = new QLabel(caption);
        label->setBuddy(widget);
        // The climate's long names take a row of their own; the rest go two a row, narrow.
        const bool wide = std::string_view(name) == "climate";
        if (wide) {
            placed += placed % 2;
        }
        widget->setFixedWidth(wide ? 200 : 90);
        optionGrid->addWidget(label, placed / 2, (placed % 2) * 2);
        optionGrid->addWidget(widget, placed / 2, (placed % 2) * 2 + 1, 1, wide ? 3 : 1, Qt::AlignLeft);
        placed += wide ? 1 : 0;
        m_modelOptions.push_back({std::string(option.name), widget, std::string_view(name) != "polarization"});
        ++placed;
    }
    layout->addWidget(options);

    m_calculate->setObjectName("CoverageButton");
    m_calculate->setText(tr("Calculate"));
    m_calculate->setAccessibleName(tr("Calculate the coverage"));
    m_cancel->setObjectName("CancelButton");
    m_cancel->setEnabled(false);
    m_progress->setObjectName("CoverageProgress");
    m_progress->setAccessibleName(tr("Progress of the coverage"));
    m_progress->setRange(0, 1000);
    m_progress->setValue(0);
    auto* run = new QHBoxLayout;
    run->addWidget(m_calculate);
    run->addWidget(m_cancel);
    run->addWidget(m_progress, 1);
    layout->addLayout(run);

    m_band->setObjectName("BandPicker");
    m_band->setAccessibleName(tr("Map shows"));
    m_band->addItems({tr("Received level"), tr("Best server"), tr("C/I"), tr("Overlap count")});
    auto* show = new QHBoxLayout;
    show->addWidget(new QLabel(tr("Map shows")));
    show->addWidget(m_band);
    show->addStretch(1);
    auto* save = new QPushButton(tr("Save map..."));
    save->setObjectName("SaveMapButton");
    save->setAccessibleName(tr("Save the map as GeoTIFF, KMZ, PNG or SVG"));
    auto* copy = new QPushButton(tr("Copy results"));
    copy->setObjectName("CopyCoverageButton");
    show->addWidget(save);
    show->addWidget(copy);
    layout->addLayout(show);
    m_map->setObjectName("CoverageMapView");
    m_map->setMinimumSize(560, 400);
    layout->addWidget(m_map, 1);
    m_readout->setObjectName("ReadoutLabel");
    m_readout->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_readout->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(m_readout);
    m_summary->setObjectName("SummaryLabel");
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_summary->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(m_summary);

    // Read as "caption: text", as every result of the window is.
    SetLine(m_readout, tr("Point on the map"), tr("no map yet: Calculate draws one"));
    SetLine(m_summary, tr("Coverage summary"), tr("no map yet"));
    AddSiteClick();
    connect(browse, &QPushButton::clicked, this, Guarded([this] { BrowseClick(); }));
    connect(add, &QPushButton::clicked, this, Guarded([this] { AddSiteClick(); }));
    connect(remove, &QPushButton::clicked, this, Guarded([this] { RemoveSiteClick(); }));
    connect(load, &QPushButton::clicked, this, Guarded([this] { LoadSitesClick(); }));
    connect(m_calculate, &QPushButton::clicked, this, Guarded([this] { CalculateClick(); }));
    connect(m_cancel, &QPushButton::clicked, this, Guarded([this] { CancelClick(); }));
    connect(save, &QPushButton::clicked, this, Guarded([this] { SaveClick(); }));
    connect(copy, &QPushButton::clicked, this, Guarded([this] { CopyClick(); }));
    // Longley-Rice's own options while it is the model.
    connect(m_model, &RadioGroup::clicked, this, [this] {
        for (const ModelOption& option : m_modelOptions) {
            option.widget->setEnabled(!option.longleyRiceOnly || m_model->ItemIndex() == 0);
        }
    });
    connect(m_band, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_map->SetBand(static_cast<CoverageBand>(index)); });
    connect(m_map, &CoverageMap::Readout, this,
            [this](const QString& text) { SetLine(m_readout, tr("Point on the map"), text); });
}

CoveragePanel::~CoveragePanel()
{
    m_stop = true;
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

void CoveragePanel::AddSiteClick()
{
    const int row = m_sites->rowCount();
    m_sites->insertRow(row);
    for (int column = 0; column < kSiteColumnCount; ++column) {
        QString start = QString::fromLatin1(kSiteColumns[column].start);
        if (column == 0) {
            start += QString::number(row + 1);
        }
        m_sites->setItem(row, column, new QTableWidgetItem(start));
    }
    m_sites->setCurrentCell(row, 0);
}

void CoveragePanel::RemoveSiteClick()
{
    const int row = CurrentOrPutAside(*m_sites).row();
    if (row >= 0) {
        m_sites->removeRow(row);
    }
}

void CoveragePanel::BrowseClick()
{
    const QStringList files = QFileDialog::getOpenFileNames(
        this, tr("Elevation data"), QString(), tr("Elevation data (*.hgt *.tif *.tiff *.vrt *.asc);;All files (*)"));
    if (!files.isEmpty()) {
        m_dem->setText(files.join(QStringLiteral(", ")));
    }
}

void CoveragePanel::LoadSitesClick()
{
    const QString file =
        QFileDialog::getOpenFileName(this, tr("Sites"), QString(), tr("Sites (*.csv);;All files (*)"));
    if (!file.isEmpty()) {
        LoadSites(file);
    }
}

void CoveragePanel::LoadSites(const QString& file)
{
    const auto table = ReadSiteTable(file.toStdString());
    if (const std::string* fault = std::get_if<std::string>(&table)) {
        return RefuseAt(m_sites, "The sites " + file.toStdString() + ": " + *fault, true);
    }
    const SiteTable& read = std::get<SiteTable>(table);
    const auto column = [&read](std::initializer_list<const char*> names) {
        for (std::size_t c = 0; c < read.columns.size(); ++c) {
            for (const char* name : names) {
                if (read.columns[c] == name) {
                    return static_cast<int>(c);
                }
            }
        }
        return -1;
    };
    const int site = column({"site", "from"});
    if (site < 0) {
        return RefuseAt(m_sites, "The sites " + file.toStdString() + ": no site column (LAT,LON)", true);
    }
    m_sites->setRowCount(0);
    for (const SiteRow& row : read.rows) {
        AddSiteClick();
        const int at = m_sites->rowCount() - 1;
        // LAT,LON as typed, split at its comma (Calculate checks it).
        const QString place = QString::fromStdString(row.cells[static_cast<std::size_t>(site)]);
        const qsizetype comma = place.indexOf(',');
        m_sites->item(at, 1)->setText(comma < 0 ? place : place.left(comma).trimmed());
        m_sites->item(at, 2)->setText(comma < 0 ? QString() : place.mid(comma + 1).trimmed());
        for (const int c : {0, 3, 4, 5}) {
            const int from = column({kSiteColumns[c].option});
            if (from >= 0 && !row.cells[static_cast<std::size_t>(from)].empty()) {
                m_sites->item(at, c)->setText(QString::fromStdString(row.cells[static_cast<std::size_t>(from)]));
            }
        }
    }
}

void CoveragePanel::CalculateClick()
{
    if (Running()) {
        return;
    }
    // Each field's text, checked where it is typed; a site's row is a request of its own.
    const auto text = [](const QLineEdit* field) { return TextOf(*field); };
    if (text(m_dem).empty()) {
        return RefuseAt(m_dem, "Give the elevation data: raster files GDAL reads, separated by commas", true);
    }
    if (m_sites->rowCount() == 0) {
        return RefuseAt(m_sites, "Add a site: the map needs at least one", true);
    }
    Request common;
    common.Give("dem", text(m_dem));
    common.Give("radius", text(m_radius));
    common.Give("resolution", text(m_resolution));
    common.Give("rx-height", text(m_rxHeight));
    common.Give("model", m_model->ItemIndex() == 0 ? "itm" : "delta-bullington");
    for (const ModelOption& option : m_modelOptions) {
        if (option.longleyRiceOnly && m_model->ItemIndex() != 0) {
            continue;
        }
        if (const auto* picker = qobject_cast<const QComboBox*>(option.widget)) {
            common.Give(option.name, picker->currentData().toString().toStdString());
        } else {
            common.Give(option.name, TextOf(*static_cast<const QLineEdit*>(option.widget)));
        }
    }
    std::vector<ServerSite> sites;
    std::vector<CoverageMapData::Site> marks;
    QWidget* const fieldOf[] = {m_radius, m_resolution, m_rxHeight};
    for (int row = 0; row < m_sites->rowCount(); ++row) {
        Request request = common;
        const auto cell = [this, row](int column) {
            const QTableWidgetItem* item = m_sites->item(row, column);
            return item == nullptr ? std::string() : item->text().trimmed().toStdString();
        };
        request.Give("from", cell(1) + "," + cell(2));
        for (const int c : {3, 4, 5}) {
            request.Give(kSiteColumns[c].option, cell(c));
        }
        ServerSite site;
        site.name = cell(0).empty() ? "Site " + std::to_string(row + 1) : cell(0);
        site.line = static_cast<std::size_t>(row) + 1;
        try {
            site.request = CoverageRequestOf(request);
            site.frequencyMHz = site.request.path.link.Real(PathField::Frequency);
            site.request.path.link = site.request.path.link.Resolved();
        } catch (const RequestError& slip) {
            // At the site's cell, or at the page's field the option names.
            const std::string option = slip.Option();
            int column = option == "from" ? 1 : -1;
            for (const int c : {3, 4, 5}) {
                column = option == kSiteColumns[c].option ? c : column;
            }
            if (column >= 0) {
                m_sites->setFocus(Qt::OtherFocusReason);
                m_sites->setCurrentCell(row, column);
                return RefuseAt(m_sites, site.name + ": " + slip.what(), true);
            }
            QWidget* field = option == "radius" ? fieldOf[0] : option == "resolution" ? fieldOf[1]
                : option == "rx-height"          ? fieldOf[2]
                                                 : m_dem;
            for (const ModelOption& own : m_modelOptions) {
                field = option == own.name ? own.widget : field;
            }
            return RefuseAt(field, slip.what(), true);
        } catch (const std::exception& fault) {
            m_sites->setFocus(Qt::OtherFocusReason);
            m_sites->setCurrentCell(row, 4);
            return RefuseAt(m_sites, site.name + ": " + fault.what(), true);
        }
        marks.push_back({site.name, site.request.site});
        sites.push_back(std::move(site));
    }
    long double threshold = 0;
    try {
        threshold = ParseReal(text(m_threshold));
    } catch (...) {
        return RefuseAt(m_threshold, "The threshold must be a level in dBm", true);
    }
    // The area: every site's circle on the grid of the resolution.
    Bounds area{180.0L, 90.0L, -180.0L, -90.0L};
    for (const ServerSite& site : sites) {
        const Bounds circle = CircleBounds(site.request.site, site.request.radiusKm);
        area = {std::min(area.west, circle.west), std::min(area.south, circle.south), std::max(area.east, circle.east),
                std::max(area.north, circle.north)};
    }
    if (!sites.front().request.resolutionM || !(*sites.front().request.resolutionM > 0.0L)) {
        return RefuseAt(m_resolution, "The resolution must be greater than 0 m", true);
    }
    const GridWindow grid = GridOver(std::max(area.west, -180.0L), area.south, std::min(area.east, 180.0L),
                                     area.north, PixelDegOf(*sites.front().request.resolutionM));
    if (static_cast<long double>(grid.width) * grid.height > 25'000'000.0L) {
        return RefuseAt(m_resolution, "The map would take more than 25 million pixels: give a coarser resolution",
                        true);
    }

    m_stop = false;
    m_done = std::make_shared<std::atomic<std::size_t>>(0);
    m_calculate->setEnabled(false);
    m_cancel->setEnabled(true);
    m_progress->setValue(0);
    // The work on a thread of its own; what it finds comes back to this one.
    m_worker = std::thread([this, sites = std::move(sites), marks = std::move(marks), grid, threshold,
                            done = m_done]() mutable {
        CoverageControl control;
        control.cancel = &m_stop;
        control.progress = [this, done](std::size_t part, std::size_t all) {
            done->store(all == 0 ? 0 : part * 1000 / all);
            QMetaObject::invokeMethod(this, [this, done] { m_progress->setValue(static_cast<int>(done->load())); },
                                      Qt::QueuedConnection);
        };
        std::shared_ptr<CoverageMapData> data;
        std::string error;
        std::string option;
        bool cancelled = false;
        try {
            const auto computed = ComputeServers(sites, grid, threshold, control);
            if (!computed.Ok()) {
                error = computed.Error().message;
                option = std::string(computed.Error().field);
            } else if (computed.Value().cancelled || m_stop) {
                cancelled = true;
            } else {
                data = std::make_shared<CoverageMapData>();
                data->bands = computed.Value();
                data->sites = marks;
                data->thresholdDbm = threshold;
                // The terrain under each pixel, for the hillshade and the read-out.
                data->terrain.assign(static_cast<std::size_t>(grid.width) * grid.height,
                                     std::numeric_limits<float>::quiet_NaN());
                auto raster = DemRaster::Open(sites.front().request.rasters);
                if (raster.Ok()) {
                    for (int row = 0; row < grid.height && !m_stop; ++row) {
                        for (int column = 0; column < grid.width; ++column) {
                            long double height = 0;
                            if (raster.Value()->HeightAt(grid.Centre(column, row), height) ==
                                DemRaster::Sample::Height) {
                                data->terrain[static_cast<std::size_t>(row) * grid.width + column] =
                                    static_cast<float>(height);
                            }
                        }
                    }
                }
                cancelled = m_stop;
            }
        } catch (const std::exception& fault) {
            error = fault.what();
        }
        QMetaObject::invokeMethod(
            this, [this, data, error, option, cancelled] { Finished(data, error, option, cancelled); },
            Qt::QueuedConnection);
    });
}

void CoveragePanel::Finished(std::shared_ptr<CoverageMapData> data, const std::string& error,
                             const std::string& option, bool cancelled)
{
    if (m_worker.joinable()) {
        m_worker.join();
    }
    m_calculate->setEnabled(true);
    m_cancel->setEnabled(false);
    if (cancelled) {
        m_progress->setValue(0);
        return; // the map before stays as it was
    }
    if (!error.empty()) {
        m_progress->setValue(0);
        QWidget* field = m_sites;
        const std::pair<const char*, QWidget*> named[] = {
            {"dem", m_dem}, {"resolution", m_resolution}, {"radius", m_radius}, {"rx-height", m_rxHeight}};
        for (const auto& [name, widget] : named) {
            field = option == name ? widget : field;
        }
        for (const ModelOption& own : m_modelOptions) {
            field = option == own.name ? own.widget : field;
        }
        return RefuseAt(field, error, true);
    }
    m_progress->setValue(1000);
    m_map->SetData(data);
    SetLine(m_summary, tr("Coverage summary"), CoverageSummary(*data));
    SetLine(m_readout, tr("Point on the map"), tr("move over the map, or focus it and use the arrows"));
}

void CoveragePanel::CancelClick()
{
    m_stop = true;
}

QString CoveragePanel::InputsText() const
{
    QString text = tr("Elevation data: %1\nRadius: %2 km\nResolution: %3 m\nReceiver height: %4 m\nModel: %5\n"
                      "Threshold: %6 dBm")
                       .arg(m_dem->text(), m_radius->text(), m_resolution->text(), m_rxHeight->text(),
                            m_model->ItemIndex() == 0 ? QStringLiteral("itm") : QStringLiteral("delta-bullington"),
                            m_threshold->text());
    for (const ModelOption& option : m_modelOptions) {
        if (!option.widget->isEnabled()) {
            continue;
        }
        const auto* picker = qobject_cast<const QComboBox*>(option.widget);
        text += "\n" + option.widget->accessibleName() + ": " +
            (picker != nullptr ? picker->currentText() : static_cast<const QLineEdit*>(option.widget)->text());
    }
    text += "\n" + tr("Sites:");
    for (int row = 0; row < m_sites->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < kSiteColumnCount; ++column) {
            const QTableWidgetItem* item = m_sites->item(row, column);
            cells << m_sites->horizontalHeaderItem(column)->text() + " " + (item ? item->text() : QString());
        }
        text += "\n" + cells.join(", ");
    }
    return text;
}

void CoveragePanel::CopyClick()
{
    QString text = InputsText();
    if (m_map->Data()) {
        text += "\n" + CoverageSummary(*m_map->Data());
    }
    QGuiApplication::clipboard()->setText(text);
}

bool CoveragePanel::SaveTo(const QString& file)
{
    const std::shared_ptr<const CoverageMapData>& data = m_map->Data();
    if (!data) {
        return false;
    }
    if (file.endsWith(".tif", Qt::CaseInsensitive) || file.endsWith(".tiff", Qt::CaseInsensitive)) {
        // As the command line writes it, the sites as the page gives them.
        std::vector<ServerSite> sites;
        for (const CoverageMapData::Site& mark : data->sites) {
            ServerSite site;
            site.name = mark.name;
            site.request.site = mark.place;
            sites.push_back(std::move(site));
        }
        const MapRaster map = ServerMapRaster(data->bands, sites, data->thresholdDbm, InputsText().toStdString(),
                                              std::nullopt);
        WholeFiles files;
        std::string failed = WriteMapRaster(files, map, file.toStdString());
        failed = failed.empty() ? files.Commit() : failed;
        if (!failed.empty()) {
            ShowError(QString::fromStdString(failed));
            return false;
        }
        return true;
    }
    if (file.endsWith(".kmz", Qt::CaseInsensitive)) {
        // The received level as a colour overlay with its legend, as coverage --format kmz draws one site's.
        std::vector<ServerSite> sites;
        for (const CoverageMapData::Site& mark : data->sites) {
            ServerSite site;
            site.name = mark.name;
            site.request.site = mark.place;
            sites.push_back(std::move(site));
        }
        const MapRaster map = ServerMapRaster(data->bands, sites, data->thresholdDbm, {}, std::nullopt);
        WholeFiles files;
        std::string failed = WriteOverlay(files, map, 1, LevelColourScale(), file.toStdString());
        failed = failed.empty() ? files.Commit() : failed;
        if (!failed.empty()) {
            ShowError(QString::fromStdString(failed));
            return false;
        }
        return true;
    }
    const QSize size = m_map->PictureSize();
    if (file.endsWith(".svg", Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setFileName(file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(tr("Coverage"));
        svg.setDescription(CoverageSummary(*data));
        QPainter painter;
        if (!painter.begin(&svg)) {
            ShowError(tr("Cannot write %1").arg(file));
            return false;
        }
        m_map->PaintPicture(painter);
        return painter.end();
    }
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    m_map->PaintPicture(painter);
    painter.end();
    if (!image.save(file, "PNG")) {
        ShowError(tr("Cannot write %1").arg(file));
        return false;
    }
    return true;
}

void CoveragePanel::SaveClick()
{
    if (!m_map->Data()) {
        return ShowError(tr("No map yet: Calculate draws one"));
    }
    QString chosenType;
    const QString chosen = QFileDialog::getSaveFileName(this, tr("Save map as"), QString(),
                                                        tr("GeoTIFF (*.tif);;KMZ overlay (*.kmz);;PNG image (*.png);;SVG image (*.svg)"),
                                                        &chosenType);
    if (chosen.isEmpty()) {
        return;
    }
    QString file = chosen;
    if (QFileInfo(file).suffix().isEmpty()) {
        file += chosenType.startsWith("GeoTIFF") ? ".tif"
            : chosenType.startsWith("KMZ")       ? ".kmz"
            : chosenType.startsWith("PNG")       ? ".png"
                                                 : ".svg";
    }
    SaveTo(file);
}

} // namespace zandrevio
