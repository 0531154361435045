<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ar">
<context>
    <name>KvListEx::ListEx</name>
    <message>
        <source>About ListEx</source>
        <translation>حول ListEx</translation>
    </message>
    <message>
        <source>KvListEx ListEx %1</source>
        <translation>KvListEx ListEx %1</translation>
    </message>
    <message>
        <source>An extended list box: items with pictures, colours, fonts and descriptions.

Qt %1, device pixel ratio %2</source>
        <translation>مربع قائمة موسّع: عناصر بصور وألوان وخطوط وأوصاف.

Qt %1، نسبة بكسلات الجهاز %2</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>نافذة</translation>
    </message>
    <message>
        <source>Window Text</source>
        <translation>نص النافذة</translation>
    </message>
    <message>
        <source>Base</source>
        <translation>الأساس</translation>
    </message>
    <message>
        <source>Alternate Base</source>
        <translation>الأساس البديل</translation>
    </message>
    <message>
        <source>Tool Tip Base</source>
        <translation>خلفية التلميح</translation>
    </message>
    <message>
        <source>Tool Tip Text</source>
        <translation>نص التلميح</translation>
    </message>
    <message>
        <source>Placeholder Text</source>
        <translation>النص النائب</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>النص</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>الزر</translation>
    </message>
    <message>
        <source>Button Text</source>
        <translation>نص الزر</translation>
    </message>
    <message>
        <source>Bright Text</source>
        <translation>النص الساطع</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>فاتح</translation>
    </message>
    <message>
        <source>Midlight</source>
        <translation>فاتح متوسط</translation>
    </message>
    <message>
        <source>Mid</source>
        <translation>متوسط</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>داكن</translation>
    </message>
    <message>
        <source>Shadow</source>
        <translation>الظل</translation>
    </message>
    <message>
        <source>Highlight</source>
        <translation>التمييز</translation>
    </message>
    <message>
        <source>Highlighted Text</source>
        <translation>النص المميز</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>الرابط</translation>
    </message>
    <message>
        <source>Link Visited</source>
        <translation>الرابط المزار</translation>
    </message>
</context>
<context>
    <name>QGuiApplication</name>
    <message>
        <source>QT_LAYOUT_DIRECTION</source>
        <comment>Translate this string to the string &apos;LTR&apos; in left-to-right languages or to &apos;RTL&apos; in right-to-left languages (such as Hebrew and Arabic) to get proper widget layout.</comment>
        <translation>RTL</translation>
    </message>
</context>
</TS>
