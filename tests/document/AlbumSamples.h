#pragma once
// Sample album files exactly as the album writer prints them: every element
// and attribute, nested frames and groups, effects, texts with line breaks
// and accented letters, and the wedding data.
#include <string>

namespace model_test {

inline std::string RichAlbum()
{
    return std::string(
               "<sposalbo paginacorrente=\"1\" numMinPage=\"2\" numMaxPage=\"40\" pageWidth=\"300\" pageHeight=\"200\" rifilo=\"3\">\n"
               "    <dati>\n"
               "        <variabile name=\"sposo\" valore=\"Nicol") +
           "\xE0" +
           "\" />\n"
           "        <variabile name=\"data\" valore=\"12 giugno\" />\n"
           "    </dati>\n"
           "    <pagina copertina=\"1\">\n"
           "        <sfondo red=\"1.000000\" green=\"1.000000\" blue=\"1.000000\">\n"
           "            <immagine name=\"7.jpg\" pos_x=\"0.000000\" pos_y=\"0.000000\" "
           "scale_x=\"1.500000\" scale_y=\"1.000000\" rotation=\"0.000000\" red=\"1.000000\" "
           "green=\"1.000000\" blue=\"1.000000\" brightness=\"1.000000\" contrast=\"0.500000\" "
           "saturation=\"1.000000\" alpha=\"1.000000\" locked=\"0\" />\n"
           "        </sfondo>\n"
           "        <immagine name=\"1.jpg\" pos_x=\"-0.250000\" pos_y=\"0.125000\" "
           "scale_x=\"-0.400000\" scale_y=\"0.300000\" rotation=\"0.785398\" red=\"0.900000\" "
           "green=\"0.800000\" blue=\"0.700000\" brightness=\"1.100000\" contrast=\"0.600000\" "
           "saturation=\"0.000000\" alpha=\"0.750000\" cropX=\"0.100000\" cropY=\"-0.200000\" "
           "ratioH=\"0.500000\" locked=\"1\">\n"
           "            <effetto name=\"fx 3.png\" rotate=\"90\" mirror=\"-1\" pers=\"1\" />\n"
           "        </immagine>\n"
           "        <testo testo=\"Prova di testo&#x0A;seconda riga &amp; &lt;citt" +
           "\xE0" +
           "&gt;\" pos_x=\"0.500000\" pos_y=\"-0.250000\" scale_x=\"0.100000\" "
           "scale_y=\"0.100000\" rotation=\"0.000000\" red=\"255\" green=\"0\" blue=\"128\" "
           "lfCharSet=\"0\" lfClipPrecision=\"2\" lfEscapement=\"0\" lfFaceName=\"Times New "
           "Roman\" lfHeight=\"-24\" lfItalic=\"1\" lfOrientation=\"0\" lfOutPrecision=\"3\" "
           "lfPitchAndFamily=\"18\" lfQuality=\"1\" lfStrikeOut=\"0\" lfUnderline=\"1\" "
           "lfWeight=\"700\" lfWidth=\"0\" locked=\"0\" />\n"
           "    </pagina>\n"
           "    <pagina>\n"
           "        <sfondo red=\"0.500000\" green=\"0.250000\" blue=\"0.000000\" />\n"
           "        <cornice name=\"ovale.png\" pos_x=\"0.300000\" pos_y=\"0.000000\" "
           "scale_x=\"0.800000\" scale_y=\"0.800000\" rotation=\"0.000000\" red=\"1.000000\" "
           "green=\"1.000000\" blue=\"1.000000\" brightness=\"1.000000\" contrast=\"0.500000\" "
           "saturation=\"1.000000\" alpha=\"1.000000\" pers=\"1\" locked=\"0\" masked=\"1\">\n"
           "            <effetto name=\"bordo.png\" rotate=\"0\" mirror=\"2\" />\n"
           "            <gruppo pos_x=\"0.300000\" pos_y=\"0.000000\" scale_x=\"0.500000\" "
           "scale_y=\"0.500000\" rotation=\"0.000000\" red=\"1.000000\" green=\"1.000000\" "
           "blue=\"1.000000\" brightness=\"0.500000\" contrast=\"0.500000\" "
           "saturation=\"1.000000\" alpha=\"1.000000\" locked=\"0\">\n"
           "                <immagine name=\"2.jpg\" pos_x=\"0.200000\" pos_y=\"0.100000\" "
           "scale_x=\"0.200000\" scale_y=\"0.200000\" rotation=\"0.000000\" red=\"1.000000\" "
           "green=\"1.000000\" blue=\"1.000000\" brightness=\"0.800000\" contrast=\"0.500000\" "
           "saturation=\"1.000000\" alpha=\"1.000000\" locked=\"0\" />\n"
           "                <image name=\"fiore.png\" pos_x=\"0.400000\" pos_y=\"-0.100000\" "
           "scale_x=\"0.100000\" scale_y=\"0.100000\" rotation=\"-1.570796\" red=\"1.000000\" "
           "green=\"1.000000\" blue=\"1.000000\" brightness=\"1.000000\" contrast=\"0.500000\" "
           "saturation=\"1.000000\" alpha=\"0.500000\" locked=\"0\" />\n"
           "            </gruppo>\n"
           "        </cornice>\n"
           "        <immagine bookmark=\"4\" pos_x=\"0.000000\" pos_y=\"0.000000\" "
           "scale_x=\"0.200000\" scale_y=\"0.200000\" rotation=\"0.000000\" red=\"1.000000\" "
           "green=\"1.000000\" blue=\"1.000000\" brightness=\"1.000000\" contrast=\"0.500000\" "
           "saturation=\"1.000000\" alpha=\"1.000000\" locked=\"0\" />\n"
           "    </pagina>\n"
           "    <pagina />\n"
           "</sposalbo>\n";
}

} // namespace model_test
