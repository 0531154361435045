<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>KvListEx::ListEx</name>
    <message>
        <source>About ListEx</source>
        <translation>À propos de ListEx</translation>
    </message>
    <message>
        <source>KvListEx ListEx %1</source>
        <translation>KvListEx ListEx %1</translation>
    </message>
    <message>
        <source>An extended list box: items with pictures, colours, fonts and descriptions.

Qt %1, device pixel ratio %2</source>
        <translation>Une zone de liste étendue : des éléments avec images, couleurs, polices et descriptions.

Qt %1, rapport de pixels de l’appareil %2</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>Fenêtre</translation>
    </message>
    <message>
        <source>Window Text</source>
        <translation>Texte de la fenêtre</translation>
    </message>
    <message>
        <source>Base</source>
        <translation>Base</translation>
    </message>
    <message>
        <source>Alternate Base</source>
        <translation>Base alternée</translation>
    </message>
    <message>
        <source>Tool Tip Base</source>
        <translation>Fond des infobulles</translation>
    </message>
    <message>
        <source>Tool Tip Text</source>
        <translation>Texte des infobulles</translation>
    </message>
    <message>
        <source>Placeholder Text</source>
        <translation>Texte indicatif</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texte</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>Bouton</translation>
    </message>
    <message>
        <source>Button Text</source>
        <translation>Texte des boutons</translation>
    </message>
    <message>
        <source>Bright Text</source>
        <translation>Texte clair</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Clair</translation>
    </message>
    <message>
        <source>Midlight</source>
        <translation>Mi-clair</translation>
    </message>
    <message>
        <source>Mid</source>
        <translation>Moyen</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Sombre</translation>
    </message>
    <message>
        <source>Shadow</source>
        <translation>Ombre</translation>
    </message>
    <message>
        <source>Highlight</source>
        <translation>Surbrillance</translation>
    </message>
    <message>
        <source>Highlighted Text</source>
        <translation>Texte en surbrillance</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Lien</translation>
    </message>
    <message>
        <source>Link Visited</source>
        <translation>Lien visité</translation>
    </message>
</context>
<context>
    <name>QGuiApplication</name>
    <message>
        <source>QT_LAYOUT_DIRECTION</source>
        <comment>Translate this string to the string &apos;LTR&apos; in left-to-right languages or to &apos;RTL&apos; in right-to-left languages (such as Hebrew and Arabic) to get proper widget layout.</comment>
        <translation>LTR</translation>
    </message>
</context>
</TS>
