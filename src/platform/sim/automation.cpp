// COM and OLE automation of the stand-in: one running object table for the whole process (as
// the machine has one), the objects the host registers in it, and the strings, variants and
// safe arrays the add-in uses, each counted so that a test can see what was left behind.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <new>
#include <set>
#include <vector>

#include "platform/automation.h"
#include "platform/control/platform_control.h"
#include "platform/platform.h"
#include "platform/sim/sim_automation.h"

namespace plat {

uint32_t UnknownObject::release_reference() {
    const uint32_t left = --references_;
    if (left == 0) delete this;
    return left;
}

// The helpers the add-in is handed while it searches; each counted while alive.
int helpers_alive = 0;

struct CountedHelper : UnknownObject {
    CountedHelper() { ++helpers_alive; }
    ~CountedHelper() override { --helpers_alive; }
};

struct BindContextObject : CountedHelper {};
struct RunningTableObject : CountedHelper {};

// A moniker names one entry of the table; binding it answers the entry's object while the
// entry is still registered.
struct MonikerObject : CountedHelper {
    uint32_t cookie = 0;
};

// A snapshot of the table's entries, taken when the enumerator is made.
struct MonikerListObject : CountedHelper {
    std::vector<uint32_t> cookies;
    size_t next = 0;
};

struct SafeArrayRecord {
    int rows = 0, columns = 0;
    std::vector<Variant> data;  // column by column
    int locks = 0;
};

}  // namespace plat

namespace {

constexpr plat::HResult mk_e_syntax = static_cast<plat::HResult>(0x800401E4u);  // MK_E_SYNTAX

struct Entry {
    uint32_t cookie;
    std::string name;
    plat::Dispatch object;
};

struct ClassEntry {
    std::u16string progid;
    plat::Guid clsid;
};

std::vector<Entry> table;
uint32_t next_cookie = 1;
std::vector<ClassEntry> classes;
std::map<plat::AutoString, size_t> strings;  // live strings and their lengths
std::set<plat::SafeArray> arrays;
int enumerations = 0;
int initializations = 0;
int uninitializations = 0;
bool refuse_initialize = false;

std::string active_name(const plat::Guid& clsid) {
    char text[64];
    std::snprintf(text, sizeof text, "!{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(clsid.data1), clsid.data2, clsid.data3, clsid.data4[0], clsid.data4[1],
                  clsid.data4[2], clsid.data4[3], clsid.data4[4], clsid.data4[5], clsid.data4[6], clsid.data4[7]);
    return text;
}

const Entry* entry_of(uint32_t cookie) {
    for (const auto& entry : table)
        if (entry.cookie == cookie) return &entry;
    return nullptr;
}

void destroy_array(plat::SafeArray array) {
    if (arrays.erase(array) == 0) return;
    for (auto& element : array->data) plat::variant_clear(&element);
    delete array;
}

// The characters 0x80 to 0x9F of Windows code page 1252 (0 where it has none).
constexpr char16_t cp1252_high[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

char16_t wide_of(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0 && cp1252_high[byte - 0x80] != 0) return cp1252_high[byte - 0x80];
    return byte;
}

// Best fit as Windows writes it: a character the code page lacks becomes '?'.
char narrow_of(char16_t wide) {
    if (wide < 0x80 || (wide >= 0xA0 && wide <= 0xFF)) return static_cast<char>(wide);
    for (int i = 0; i < 32; ++i)
        if (cp1252_high[i] == wide) return static_cast<char>(0x80 + i);
    return '?';
}

}  // namespace

namespace sim {

void automation_register_class(const std::u16string& progid, const plat::Guid& clsid) {
    for (auto& entry : classes)
        if (entry.progid == progid) {
            entry.clsid = clsid;
            return;
        }
    classes.push_back({progid, clsid});
}

uint32_t register_active_object(plat::Dispatch object, const plat::Guid& clsid) {
    return running_table_register(object, active_name(clsid));
}

uint32_t running_table_register(plat::Dispatch object, const std::string& display_name) {
    if (object == nullptr) return 0;
    object->add_ref();
    table.push_back({next_cookie, display_name, object});
    return next_cookie++;
}

void running_table_revoke(uint32_t cookie) {
    for (auto it = table.begin(); it != table.end(); ++it)
        if (it->cookie == cookie) {
            plat::Dispatch object = it->object;
            table.erase(it);
            object->release_reference();
            return;
        }
}

void ole_refuse_initialize(bool refuse) { refuse_initialize = refuse; }

plat::SafeArray safe_array_of_variants(int rows, int columns) {
    if (rows <= 0 || columns <= 0) return nullptr;
    auto* array = new plat::SafeArrayRecord;
    array->rows = rows;
    array->columns = columns;
    array->data.resize(static_cast<size_t>(rows) * static_cast<size_t>(columns));
    for (auto& element : array->data) plat::variant_init(&element);
    arrays.insert(array);
    return array;
}

void automation_reset() {
    while (!table.empty()) running_table_revoke(table.back().cookie);
    classes.clear();
    for (auto& [text, length] : strings) std::free(reinterpret_cast<uint32_t*>(text) - 1);
    strings.clear();
    while (!arrays.empty()) destroy_array(*arrays.begin());
    enumerations = 0;
    initializations = 0;
    uninitializations = 0;
    refuse_initialize = false;
}

}  // namespace sim

// What the add-in did with this COM, as the platform's control side reports it.
namespace plat_control {

int running_table_enumerations() { return enumerations; }
int automation_helpers_alive() { return plat::helpers_alive; }
int automation_strings_alive() { return static_cast<int>(strings.size()); }
int safe_arrays_alive() { return static_cast<int>(arrays.size()); }
int ole_initializations() { return initializations; }
int ole_uninitializations() { return uninitializations; }

}  // namespace plat_control

namespace plat {

HResult ole_initialize() {
    if (refuse_initialize) return e_fail;
    ++initializations;
    return s_ok;
}

void ole_uninitialize() { ++uninitializations; }

HResult clsid_from_progid(const OleChar* progid, Guid* clsid) {
    if (progid == nullptr || clsid == nullptr) return e_invalidarg;
    for (const auto& entry : classes)
        if (entry.progid == progid) {
            *clsid = entry.clsid;
            return s_ok;
        }
    return co_e_classstring;
}

HResult get_active_object(const Guid& clsid, Unknown* unknown) {
    if (unknown == nullptr) return e_invalidarg;
    *unknown = nullptr;
    const std::string name = active_name(clsid);
    for (const auto& entry : table)
        if (entry.name == name) {
            entry.object->add_ref();
            *unknown = entry.object;
            return s_ok;
        }
    return mk_e_unavailable;
}

HResult query_dispatch(Unknown unknown, Dispatch* dispatch) {
    if (unknown == nullptr || dispatch == nullptr) return e_invalidarg;
    *dispatch = unknown->as_dispatch();
    if (*dispatch == nullptr) return e_nointerface;
    (*dispatch)->add_ref();
    return s_ok;
}

HResult create_bind_context(BindContext* context) {
    if (context == nullptr) return e_invalidarg;
    *context = new BindContextObject;
    return s_ok;
}

HResult running_object_table(BindContext context, RunningTable* running) {
    if (context == nullptr || running == nullptr) return e_invalidarg;
    *running = new RunningTableObject;
    return s_ok;
}

HResult enum_running(RunningTable running, MonikerList* list) {
    if (running == nullptr || list == nullptr) return e_invalidarg;
    ++enumerations;
    auto* made = new MonikerListObject;
    for (const auto& entry : table) made->cookies.push_back(entry.cookie);
    *list = made;
    return s_ok;
}

HResult moniker_list_reset(MonikerList list) {
    if (list == nullptr) return e_invalidarg;
    list->next = 0;
    return s_ok;
}

HResult moniker_list_next(MonikerList list, Moniker* moniker, uint32_t* fetched) {
    if (list == nullptr || moniker == nullptr) return e_invalidarg;
    *moniker = nullptr;
    if (fetched) *fetched = 0;
    if (list->next >= list->cookies.size()) return s_false;
    auto* made = new MonikerObject;
    made->cookie = list->cookies[list->next++];
    *moniker = made;
    if (fetched) *fetched = 1;
    return s_ok;
}

HResult bind_to_dispatch(Moniker moniker, BindContext context, Dispatch* dispatch) {
    if (moniker == nullptr || context == nullptr || dispatch == nullptr) return e_invalidarg;
    *dispatch = nullptr;
    const Entry* entry = entry_of(moniker->cookie);
    if (entry == nullptr) return mk_e_unavailable;
    // The active object's entry is named by an item moniker ("!{clsid}"), which binds only
    // against a moniker on its left, as on Windows.
    if (entry->name.rfind("!{", 0) == 0) return mk_e_syntax;
    entry->object->add_ref();
    *dispatch = entry->object;
    return s_ok;
}

uint32_t release(Unknown object) { return object ? object->release_reference() : 0; }
uint32_t release(Dispatch object) { return object ? object->release_reference() : 0; }
uint32_t release(BindContext object) { return object ? object->release_reference() : 0; }
uint32_t release(RunningTable object) { return object ? object->release_reference() : 0; }
uint32_t release(MonikerList object) { return object ? object->release_reference() : 0; }
uint32_t release(Moniker object) { return object ? object->release_reference() : 0; }

HResult dispatch_id_of_name(Dispatch dispatch, const OleChar* name, uint32_t locale, int32_t* id) {
    if (dispatch == nullptr || name == nullptr || id == nullptr) return e_invalidarg;
    return dispatch->id_of_name(name, locale, id);
}

HResult dispatch_invoke(Dispatch dispatch, int32_t id, uint32_t locale, uint16_t flags, Variant* arguments,
                        unsigned count, Variant* result) {
    if (dispatch == nullptr || (count > 0 && arguments == nullptr)) return e_invalidarg;
    Dispatch held = dispatch;
    held->add_ref();  // the object lives through its own call, whatever it releases
    const HResult status = held->invoke(id, locale, flags, arguments, count, result);
    held->release_reference();
    return status;
}

AutoString sys_alloc_string(const OleChar* text) {
    if (text == nullptr) return nullptr;
    size_t length = 0;
    while (text[length] != 0) ++length;
    auto* block = static_cast<uint32_t*>(std::malloc(sizeof(uint32_t) + (length + 1) * sizeof(OleChar)));
    if (block == nullptr) return nullptr;
    block[0] = static_cast<uint32_t>(length * sizeof(OleChar));
    auto* characters = reinterpret_cast<AutoString>(block + 1);
    std::memcpy(characters, text, (length + 1) * sizeof(OleChar));
    strings[characters] = length;
    return characters;
}

void sys_free_string(AutoString text) {
    if (text == nullptr) return;
    // A string the stand-in never handed out (or freed twice) is a fault of the caller's: it is
    // reported and left alone, where Windows would corrupt its heap.
    if (strings.erase(text) == 0) {
        plat::debug_output("SysFreeString of a string that is not allocated\n");
        return;
    }
    std::free(reinterpret_cast<uint32_t*>(text) - 1);
}

unsigned sys_string_len(AutoString text) {
    if (text == nullptr) return 0;
    auto found = strings.find(text);
    return found == strings.end() ? 0 : static_cast<unsigned>(found->second);
}

void variant_init(Variant* value) {
    if (value == nullptr) return;
    std::memset(value, 0, sizeof *value);
    value->vt = vt_empty;
}

HResult variant_clear(Variant* value) {
    if (value == nullptr) return e_invalidarg;
    switch (value->vt) {
        case vt_bstr: sys_free_string(value->bstrVal); break;
        case vt_dispatch: release(value->pdispVal); break;
        case vt_unknown: release(value->punkVal); break;
        default:
            if (value->vt & vt_array) destroy_array(value->parray);
            break;
    }
    variant_init(value);
    return s_ok;
}

unsigned safe_array_dims(SafeArray array) { return array && arrays.count(array) ? 2u : 0u; }

HResult safe_array_bounds(SafeArray array, unsigned dimension, int32_t* lower, int32_t* upper) {
    if (array == nullptr || lower == nullptr || upper == nullptr || arrays.count(array) == 0) return e_invalidarg;
    if (dimension != 1 && dimension != 2) return static_cast<HResult>(0x8002000Bu);  // DISP_E_BADINDEX
    *lower = 1;
    *upper = dimension == 1 ? array->rows : array->columns;
    return s_ok;
}

HResult safe_array_access(SafeArray array, void** data) {
    if (array == nullptr || data == nullptr || arrays.count(array) == 0) return e_invalidarg;
    ++array->locks;
    *data = array->data.data();
    return s_ok;
}

HResult safe_array_unaccess(SafeArray array) {
    if (array == nullptr || arrays.count(array) == 0 || array->locks == 0) return e_invalidarg;
    --array->locks;
    return s_ok;
}

HResult safe_array_vartype(SafeArray array, uint16_t* vt) {
    if (array == nullptr || vt == nullptr || arrays.count(array) == 0) return e_invalidarg;
    *vt = vt_variant;
    return s_ok;
}

int ansi_to_wide(const char* text, OleChar* wide, int size) {
    if (text == nullptr || wide == nullptr || size <= 0) return 0;
    const size_t length = std::strlen(text);
    if (length + 1 > static_cast<size_t>(size)) return 0;
    for (size_t i = 0; i < length; ++i) wide[i] = wide_of(static_cast<unsigned char>(text[i]));
    wide[length] = 0;
    return static_cast<int>(length + 1);
}

int wide_to_ansi(const OleChar* wide, int length, char* text, int size) {
    if (wide == nullptr || text == nullptr || size <= 0) return 0;
    size_t count = 0;
    if (length < 0) {
        while (wide[count] != 0) ++count;
        ++count;  // through the terminator
    } else {
        count = static_cast<size_t>(length);
    }
    if (count > static_cast<size_t>(size)) return 0;
    for (size_t i = 0; i < count; ++i) text[i] = narrow_of(wide[i]);
    return static_cast<int>(count);
}

}  // namespace plat
