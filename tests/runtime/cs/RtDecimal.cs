// RtDecimal.cs: the C# test run time's exact decimals: a whole number and
// a scale, with the arithmetic the vector services and the instruction-table
// evaluator need (add, multiply, divide to a scale, cut and half-up
// rounding), and the conversions from and to texts, whole numbers and
// doubles. The conversions of doubles are exact: a double is the binary
// fraction it holds, rounded half to even where it is cut, as the C
// library's formatting and reading of numbers round.
using System;
using System.Numerics;
using System.Text;

public struct RtDec
{
    public BigInteger Unscaled; // the value times ten to the scale
    public int Scale;

    public RtDec(BigInteger unscaled, int scale) { Unscaled = unscaled; Scale = scale; }

    public static RtDec Zero(int scale) { return new RtDec(BigInteger.Zero, scale); }
    public bool IsZero { get { return Unscaled.IsZero; } }
    public bool IsNegative { get { return Unscaled.Sign < 0; } }

    static BigInteger Ten(int n) { return BigInteger.Pow(10, n); }

    // The same value at a higher scale; a lower one cuts (toward zero).
    public RtDec ScaleTo(int scale)
    {
        if (scale >= Scale)
            return new RtDec(Unscaled * Ten(scale - Scale), scale);
        return new RtDec(BigInteger.Divide(Unscaled, Ten(Scale - scale)), scale);
    }
    public RtDec Truncate(int scale) { return ScaleTo(scale); }

    // Half up to `scale` decimals: away from zero from half a unit on.
    public RtDec RoundHalfUp(int scale)
    {
        if (Scale <= scale)
            return ScaleTo(scale);
        BigInteger rest, unit = Ten(Scale - scale), quotient = BigInteger.DivRem(Unscaled, unit, out rest);
        if (BigInteger.Abs(rest) * 2 >= unit)
            quotient += Unscaled.Sign;
        return new RtDec(quotient, scale);
    }

    public static int Compare(RtDec a, RtDec b)
    {
        int scale = Math.Max(a.Scale, b.Scale);
        return a.ScaleTo(scale).Unscaled.CompareTo(b.ScaleTo(scale).Unscaled);
    }

    public static RtDec Add(RtDec a, RtDec b, bool subtract)
    {
        int scale = Math.Max(a.Scale, b.Scale);
        BigInteger x = a.ScaleTo(scale).Unscaled, y = b.ScaleTo(scale).Unscaled;
        return new RtDec(subtract ? x - y : x + y, scale);
    }

    public static RtDec Multiply(RtDec a, RtDec b) { return new RtDec(a.Unscaled * b.Unscaled, a.Scale + b.Scale); }

    // The quotient cut to `scale` decimals; false when b is zero.
    public static bool Divide(RtDec a, RtDec b, int scale, out RtDec r)
    {
        r = Zero(scale);
        if (b.IsZero)
            return false;
        int shift = scale + b.Scale - a.Scale;
        BigInteger n = shift >= 0 ? a.Unscaled * Ten(shift) : BigInteger.Divide(a.Unscaled, Ten(-shift));
        r = new RtDec(BigInteger.Divide(n, b.Unscaled), scale);
        return true;
    }

    // The digits before the decimal point (none for a value below one).
    public int IntegerDigits
    {
        get
        {
            int n = BigInteger.Abs(Unscaled).ToString().Length - Scale;
            return IsZero ? 0 : Math.Max(n, 0);
        }
    }

    // A sign, digits and at most one point; reading stops at anything else.
    public static RtDec FromText(string text)
    {
        int i = 0, scale = 0;
        bool negative = false, point = false;
        if (i < text.Length && (text[i] == '-' || text[i] == '+'))
            negative = text[i++] == '-';
        var digits = new StringBuilder();
        for (; i < text.Length; ++i) {
            if (text[i] == '.' && !point) {
                point = true;
                continue;
            }
            if (text[i] < '0' || text[i] > '9')
                break;
            digits.Append(text[i]);
            if (point)
                ++scale;
        }
        BigInteger v = digits.Length == 0 ? BigInteger.Zero : BigInteger.Parse(digits.ToString());
        return new RtDec(negative ? -v : v, scale);
    }

    // The value with its scale's decimals: "-12.50", "0.00", "7".
    public override string ToString()
    {
        string digits = BigInteger.Abs(Unscaled).ToString().PadLeft(Scale + 1, '0');
        string text = Scale > 0 ? digits.Substring(0, digits.Length - Scale) + "." + digits.Substring(digits.Length - Scale)
                                : digits;
        return (IsNegative ? "-" : "") + text;
    }

    public static RtDec FromLong(long v) { return new RtDec(new BigInteger(v), 0); }

    // The whole part; beyond the range of a long, its nearest end.
    public long ToLong()
    {
        BigInteger w = ScaleTo(0).Unscaled;
        if (w > long.MaxValue)
            return long.MaxValue;
        if (w < long.MinValue)
            return long.MinValue;
        return (long)w;
    }

    // ---- doubles ----

    // A double as m times two to the e, m a whole number.
    static void Split(double v, out BigInteger m, out int e)
    {
        long bits = BitConverter.DoubleToInt64Bits(v);
        int exponent = (int)((bits >> 52) & 0x7FF);
        long mantissa = bits & 0xFFFFFFFFFFFFFL;
        if (exponent == 0)
            exponent = 1;
        else
            mantissa |= 1L << 52;
        m = new BigInteger(mantissa);
        if (bits < 0)
            m = -m;
        e = exponent - 1075;
    }

    // n / d rounded half to even (d above zero).
    static BigInteger DivideHalfEven(BigInteger n, BigInteger d)
    {
        BigInteger r, q = BigInteger.DivRem(n, d, out r);
        int c = (BigInteger.Abs(r) * 2).CompareTo(d);
        if (c > 0 || (c == 0 && !q.IsEven))
            q += n.Sign;
        return q;
    }

    // The double's exact value rounded half to even to `scale` decimals (a
    // scale below zero rounds to tens, hundreds, ...).
    static BigInteger Rounded(double v, int scale)
    {
        BigInteger m;
        int e;
        Split(v, out m, out e);
        BigInteger n = m, d = BigInteger.One;
        if (e >= 0)
            n *= BigInteger.Pow(2, e);
        else
            d = BigInteger.Pow(2, -e);
        if (scale >= 0)
            n *= Ten(scale);
        else
            d *= Ten(-scale);
        return DivideHalfEven(n, d);
    }

    // The decimal nearest to a double at `scale` decimals; a scale below 0:
    // of 15 significant digits, the precision a double carries, at the scale
    // that writes them all (14 less the power of ten of the first digit).
    public static RtDec FromDouble(double v, int scale)
    {
        if (double.IsNaN(v) || double.IsInfinity(v))
            RT.Stop("a double that is no number: " + v);
        if (scale >= 0)
            return new RtDec(Rounded(v, scale), scale);
        if (v == 0)
            return new RtDec(BigInteger.Zero, 14);
        int power = (int)Math.Floor(Math.Log10(Math.Abs(v)));
        // Log10 of a value just below a power of ten can come out as that
        // power: 15 digits rounded one place too early then carry into a
        // 15-digit number of the wrong size (9999999999.99999 as 1e10)
        if (power >= 0 && power <= 22 && Math.Abs(v) < Math.Pow(10, power))
            --power;
        for (int attempt = 0; attempt < 3; ++attempt) {
            BigInteger r = Rounded(v, 14 - power);
            int digits = BigInteger.Abs(r).ToString().Length;
            if (digits == 15) {
                int s = 14 - power;
                return s >= 0 ? new RtDec(r, s) : new RtDec(r * Ten(-s), 0);
            }
            power += digits > 15 ? 1 : -1;
        }
        RT.Stop("no 15 digits of a double: " + v);
        return Zero(0);
    }

    // The double nearest to the decimal, rounded half to even.
    public double ToDouble()
    {
        if (IsZero)
            return 0.0;
        BigInteger n = BigInteger.Abs(Unscaled), d = Ten(Math.Max(Scale, 0));
        if (Scale < 0)
            n *= Ten(-Scale);
        // n / d = q times two to the e, q of 53 bits
        int e = (int)(Bits(n) - Bits(d)) - 53;
        BigInteger q;
        for (;;) {
            BigInteger nn = e < 0 ? n * BigInteger.Pow(2, -e) : n, dd = e > 0 ? d * BigInteger.Pow(2, e) : d;
            q = DivideHalfEven(nn, dd);
            if (Bits(q) > 53) {
                ++e;
                continue;
            }
            if (Bits(q) < 53) {
                --e;
                continue;
            }
            break;
        }
        double r = (double)(long)q * Math.Pow(2, e);
        return IsNegative ? -r : r;
    }

    static long Bits(BigInteger n)
    {
        long bits = 0;
        for (BigInteger x = n; !x.IsZero; x >>= 1)
            ++bits;
        return bits;
    }

    // A whole number of at most 15 digits: the same decimal at every scale.
    public static bool IsWhole(double v) { return v > -1e15 && v < 1e15 && v == Math.Floor(v); }

    // The shortest text of 15 significant digits, as C's "%.15g" writes it.
    public static string G15(double v)
    {
        if (v == 0)
            return BitConverter.DoubleToInt64Bits(v) < 0 ? "-0" : "0";
        RtDec d = FromDouble(v, -1);
        string digits = BigInteger.Abs(d.Unscaled).ToString();
        int power = digits.Length - 1 - d.Scale; // the power of ten of the first digit
        digits = digits.Substring(0, 15).TrimEnd('0');
        if (digits.Length == 0)
            digits = "0";
        string sign = v < 0 ? "-" : "";
        if (power < -4 || power >= 15) {
            string mantissa = digits.Length > 1 ? digits.Substring(0, 1) + "." + digits.Substring(1) : digits;
            return sign + mantissa + "e" + (power < 0 ? "-" : "+") + Math.Abs(power).ToString("00");
        }
        if (power < 0)
            return sign + "0." + new string('0', -power - 1) + digits;
        if (digits.Length <= power + 1)
            return sign + digits + new string('0', power + 1 - digits.Length);
        return sign + digits.Substring(0, power + 1) + "." + digits.Substring(power + 1);
    }
}
