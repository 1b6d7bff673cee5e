#pragma once
// The shop's trading rules: what is offered for each kind, what a part costs, the purchase with
// its capacity test, the refund of a new part and the resale of a used one, what a sale takes off
// the player's Doll, and the help and guide texts. The shop window shows this state and forwards
// clicks, mouse moves and the kind selector.

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/catalogue.h"

namespace vargo {

struct Game;
class Prompts;
class Sound;

/// One row of the offered list: the part's name and the value columns (Rl first).
struct OfferedRow {
    int id = 0;
    std::string name;
    std::vector<std::string> values;
};

/// One row of an inventory list; the tag is Shop::tagOf(kind, ID).
struct InventoryRow {
    std::string name;
    int tag = 0;
};

class Shop {
public:
    static constexpr int kKinds = kPartKinds;
    static constexpr int kFirstOffered = 1;
    static constexpr int kLastOffered = 19;
    static constexpr int kUsedList = 0;
    static constexpr int kNewList = 1;

    /// Opening the screen: money, music, catalogues, the motor list, the inventory and the guide.
    Shop(Game& game, CatalogueReader& catalogue, Prompts& prompts, Sound* sound);
    /// The same shop over catalogues already read (the headless careers read them once, not at
    /// every visit).
    Shop(Game& game, const PerKind<CatalogueTable>& tables, Prompts& prompts, Sound* sound);
    Shop(const Shop&) = delete;
    Shop& operator=(const Shop&) = delete;

    /// The selector's entries: the kinds' labels in PartKind order.
    static const std::array<const char*, kKinds>& kindLabels();
    /// An inventory row's tag: (kind + 1) x 1000 + ID.
    static int tagOf(PartKind kind, int id);
    /// The kind and catalogue ID an inventory row's tag names; nothing for a tag of no kind.
    static std::optional<std::pair<PartKind, int>> partOfTag(int tag);
    /// Header help text ("値段" for "Rl" ...), empty for the others.
    static std::string headerHelp(const std::string& header);

    /// The selector position (0..7; anything else is the motor).
    int kind() const { return kindPos; }
    /// dsp_Parts: fills the offered list and its columns and shows the kind's guide.
    void dsp_Parts(int position);

    const std::vector<std::string>& headers() const { return columnHeaders; }
    /// Tool tips of the headers: the Japanese action names over software columns, else empty.
    const std::vector<std::string>& headerTips() const { return columnTips; }
    const std::vector<OfferedRow>& offered() const { return rows; }
    const std::vector<InventoryRow>& inventory(int list) const;
    /// lblPlayerRl.
    std::string moneyText() const;

    /// The price of offered row `row` (its part's Rl), 0 for no row.
    int getRl(int row) const;
    /// A click on an offered row: the price test, the question, the purchase.
    void clickOffered(int row);
    /// The purchase of catalogue entry `id` of the kind at `position`. False when nothing was bought.
    bool buy_rtn(int position, int id);
    /// A click on row r of inventory list L: the question, then the return or resale.
    void clickInventory(int list, int row);
    void sel_rtn(int row, int list);

    /// Guide pane and help line.
    bool guideVisible() const { return guideShown; }
    const std::string& guideText() const { return guide; }
    void guideClicked();
    const std::string& helpLine() const { return help; }
    void hoverHeader(int column);
    void hoverValues();
    void hoverForm() { help.clear(); }

private:
    void dspInit();
    void showGuide(const std::string& text);
    static std::string kindGuide(PartKind kind);
    int priceOf(PartKind kind, int id) const;
    template <class Part>
    bool place(const std::shared_ptr<Part>& part, int id);
    void takeOffDoll(PartKind kind);
    template <class Part>
    const CatalogueTable<Part>& table() const {
        return std::get<CatalogueTable<Part>>(catalogues);
    }

    Game& game;
    Prompts& prompts;

    PerKind<CatalogueTable> catalogues;

    int kindPos = 0;
    std::vector<std::string> columnHeaders;
    std::vector<std::string> columnTips;
    std::vector<OfferedRow> rows;
    std::array<std::vector<InventoryRow>, 2> lists;
    bool guideShown = false;
    bool motorPagePending = false;
    std::string guide;
    std::string help;
};

}  // namespace vargo
