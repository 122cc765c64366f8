#pragma once

#include "coverage/CoverageMap.h"

#include <QWidget>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace zandrevio {

class RadioGroup;

// The Coverage page: elevation data and sites (typed into a table or
// loaded from a sites' CSV), the radius, resolution, receiver height, model
// and threshold; Calculate runs the map of many sites in the background,
// with its progress and Cancel; the map, a choice of its band, the point
// under the cursor read out; the map saved as GeoTIFF, PNG or SVG, and the
// inputs with the summary copied.
class CoveragePanel : public QWidget {
    Q_OBJECT

public:
    explicit CoveragePanel(QWidget* parent = nullptr);
    ~CoveragePanel() override;

    void CalculateClick();
    void CancelClick();
    void BrowseClick();
    void AddSiteClick();
    void RemoveSiteClick();
    void LoadSitesClick();
    // The sites of a CSV file as coverage --sites reads them, in place of the table's.
    void LoadSites(const QString& file);
    void SaveClick();
    void CopyClick();

    bool Running() const { return m_worker.joinable(); }
    CoverageMap* Map() const { return m_map; }

    // The map written as the command line writes it: a GeoTIFF, or the level as a KMZ overlay; or its picture, PNG or SVG.
    bool SaveTo(const QString& file);

private:
    void Finished(std::shared_ptr<CoverageMapData> data, const std::string& error, const std::string& option,
                  bool cancelled);
    QString InputsText() const;

    QLineEdit* m_dem;
    QTableWidget* m_sites;
    QLineEdit* m_radius;
    QLineEdit* m_resolution;
    QLineEdit* m_rxHeight;
    RadioGroup* m_model;
    QLineEdit* m_threshold;
    // The model's own options, as itm names them, each with its field or picker.
    struct ModelOption {
        std::string name;
        QWidget* widget;
        bool longleyRiceOnly;
    };
    std::vector<ModelOption> m_modelOptions;
    QPushButton* m_calculate;
    QPushButton* m_cancel;
    QProgressBar* m_progress;
    QComboBox* m_band;
    CoverageMap* m_map;
    QLabel* m_readout;
    QLabel* m_summary;

    std::thread m_worker;
    std::atomic<bool> m_stop{false};
    std::shared_ptr<std::atomic<std::size_t>> m_done;
};

} // namespace zandrevio
