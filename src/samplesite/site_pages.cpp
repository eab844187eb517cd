#include "samplesite/site_pages.h"

#include "samplesite/site_calendar.h"

namespace zelidor::samplesite {

namespace {

void appendHead(std::string& page, const std::string& title, bool withOpener) {
    page += "<html>\n<head>\n<title>" + title + "</title>\n";
    page += "<meta http-equiv=\"Content-Type\" content=\"";
    page += kPageContentType;
    page += "\">\n<link rel=\"stylesheet\" href=\"/stile.css\" type=\"text/css\">\n";
    if (withOpener) {
        page +=
            "<script language=\"JavaScript\">\n"
            "function apri(pagina) { window.open(pagina,'scheda','width=520,height=420,"
            "scrollbars=yes'); }\n"
            "</script>\n";
    }
    page += "</head>\n<body bgcolor=\"#FFFFFF\" leftmargin=\"0\" topmargin=\"0\">\n";
}

void appendChannelHeading(std::string& page, const ChannelDayListing& listing) {
    std::string nav = "/canali.phtml?channel=" + std::string(listing.channel->value);
    page +=
        "<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">\n"
        "<tr><td><img src=\"/img/testata.gif\" width=\"468\" height=\"60\" alt=\"Guida "
        "TV\"></td></tr>\n"
        "</table>\n";
    page += kStartMarker;
    page +=
        "\n<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"2\">\n"
        "  <tr><td class=\"canale\">" +
        std::string(listing.channel->name) + "</td><td class=\"data\">" +
        italianLongDate(listing.day) +
        "</td></tr>\n"
        "  </table>\n"
        "<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"2\">\n"
        "<tr><td class=\"nav\"><a href=\"" +
        nav + "&amp;dir=prev\">&lt;&lt; giorno precedente</a> | <a href=\"" + nav +
        "&amp;dir=next\">giorno successivo &gt;&gt;</a></td></tr>\n"
        "</table>\n";
}

// R1 hour, R2 type, R3 title and code, R4 the "scheda" icon; rows are not closed.
void appendProgrammeRow(std::string& page, const SampleProgramme& programme) {
    const char* colour = programme.row % 2 == 1 ? "#FFFFFF" : "#EEF3FA";
    page += "<tr bgcolor=\"" + std::string(colour) + "\"><td class=\"ora\" width=\"45\">" +
            programme.hour + "</td>\n";
    page +=
        "<td class=\"g-" + programme.typeClass + "\" width=\"90\">" + programme.type + "</td>\n";
    page +=
        "<td class=\"titolo\"><a href=\"javascript:apri('programmi.phtml?codice=" + programme.code +
        "')\">" + programme.title + "</a></td>\n";
    page += "<td align=\"right\"><a href=\"programmi.phtml?codice=" + programme.code +
            "\" target=\"_blank\"><img src=\"/img/scheda.gif\" width=\"14\" height=\"14\" "
            "border=\"0\" alt=\"scheda\"></a></td>\n";
}

void appendFooter(std::string& page, const ChannelDayListing& listing) {
    page +=
        "<!-- end DX main -->\n"
        "<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"2\">\n"
        "<tr><td class=\"piede\">&copy; " +
        std::to_string(listing.day.year) +
        " Guida TV - tutti i diritti riservati</td></tr>\n"
        "</table>\n"
        "</body>\n"
        "</html>\n";
}

void appendPicture(std::string& page, const SampleProgramme& programme) {
    std::string source = programme.poster ? posterPath(programme) : "/img/nofoto.gif";
    page += "<td valign=\"top\" width=\"150\"><img src=\"" + source +
            "\" width=\"140\" height=\"105\" border=\"0\" alt=\"\"></td>\n";
}

void appendCast(std::string& page, const CastBlock& cast) {
    page += "<tr><td colspan=\"2\" class=\"cast\"><b>" + cast.heading + "</b>\n";
    if (cast.preface) {
        page += *cast.preface + "\n";
    }
    page += cast.credits + "</td></tr>\n";
}

}  // namespace

std::string posterPath(const SampleProgramme& programme) {
    return "/statiche/media/foto/" + programme.code + ".jpg";
}

std::string listingPage(const ChannelDayListing& listing) {
    std::string page;
    page.reserve(1000 + listing.programmes.size() * 480);
    appendHead(page,
               "Guida TV - " + std::string(listing.channel->name) + " - " + listing.day.slashed(),
               true);
    appendChannelHeading(page, listing);
    page +=
        "<table width=\"100%\" border=\"0\" cellspacing=\"1\" cellpadding=\"3\">\n"
        "<tr class=\"intestazione\"><td>Ora</td><td>Genere</td><td>Programma</td>"
        "<td>&nbsp;</td>\n";
    for (const SampleProgramme& programme : listing.programmes) {
        appendProgrammeRow(page, programme);
    }
    page += "</tr>\n</table>\n";
    appendFooter(page, listing);
    return page;
}

std::string detailPage(const ChannelDayListing& listing, const SampleProgramme& programme) {
    std::string page;
    appendHead(page, programme.title + " - Guida TV", false);
    page += kStartMarker;
    page +=
        "\n<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"4\">\n"
        "<tr>\n";
    appendPicture(page, programme);
    page += "<td valign=\"top\" class=\"scheda\">\n<font class=\"orario\">" +
            std::string(listing.channel->name) + " - ore " + programme.hour + "</font>\n";
    if (programme.description) {
        // The description is the line after the bold title, read from its second character.
        page += "<!--<br>-->\n<b>" + programme.title + "</b><br>\n  " + *programme.description +
                "</td>\n";
    } else {
        page += "<b>" + programme.title + "</b><br>\n</td>\n";
    }
    page += "</tr>\n";
    if (programme.cast) {
        appendCast(page, *programme.cast);
    }
    page +=
        "</table>\n"
        "<!-- end DX main -->\n"
        "</body>\n"
        "</html>\n";
    return page;
}

}  // namespace zelidor::samplesite
